/*
 * qx_cntl: the library's version, the one place it is kept.
 *
 * The DLLs' version resources, the CMake package and the name of the kit
 * are all made from these three numbers. Included by qx_cntl.h; the
 * resource compiler reads it too, so it holds preprocessor lines only.
 */
#ifndef QX_CNTL_VERSION_H
#define QX_CNTL_VERSION_H

#define QX_CNTL_VERSION_MAJOR 1
#define QX_CNTL_VERSION_MINOR 0
#define QX_CNTL_VERSION_PATCH 0

/* One number for comparisons: 10203 for 1.2.3. */
#define QX_CNTL_VERSION \
    (QX_CNTL_VERSION_MAJOR * 10000 + QX_CNTL_VERSION_MINOR * 100 + QX_CNTL_VERSION_PATCH)

/* The version as a string literal, "1.2.3". */
#define QX_CNTL_VERSION_STR_(n) #n
#define QX_CNTL_VERSION_STR(n) QX_CNTL_VERSION_STR_(n)
#define QX_CNTL_VERSION_STRING                                          \
    QX_CNTL_VERSION_STR(QX_CNTL_VERSION_MAJOR) "."                      \
    QX_CNTL_VERSION_STR(QX_CNTL_VERSION_MINOR) "."                      \
    QX_CNTL_VERSION_STR(QX_CNTL_VERSION_PATCH)

#endif /* QX_CNTL_VERSION_H */
