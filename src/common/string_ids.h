/* Identifiers of the library's own strings (the string table in
 * src/strings.rc, where a host's translator finds them). Also read by the
 * resource compiler: plain definitions only. */
#ifndef QX_STRING_IDS_H
#define QX_STRING_IDS_H

#define QX_IDS_PRESS 0x5100          /* a button's default action */
#define QX_IDS_SELECT 0x5101         /* a calendar day's default action */
#define QX_IDS_SPIN_UP 0x5102        /* the spin's upper arrow */
#define QX_IDS_SPIN_DOWN 0x5103      /* the spin's lower arrow */
#define QX_IDS_PREVIOUS_YEAR 0x5104  /* the calendar's four arrow buttons */
#define QX_IDS_NEXT_YEAR 0x5105
#define QX_IDS_PREVIOUS_MONTH 0x5106
#define QX_IDS_NEXT_MONTH 0x5107

#endif /* QX_STRING_IDS_H */
