// Process-wide old 3-D option: asks for the hand-drawn sunken border on
// systems whose major version is below 4. Off at load.
#pragma once

namespace qx {

bool Old3dEnabled();

}  // namespace qx
