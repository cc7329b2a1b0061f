// Compile-time checks of the binary layouts that other programs share with us.
//
// The libraries are built for 32-bit x86 (i386), where every record a host, the
// tuner service, a vendor library or a monitoring tool exchanges with us, and
// every record we store, has a fixed size and fixed field offsets. Each such
// record is followed, in its own header, by checks of this form:
//
//     ZAQ_ASSERT_SIZE(ZaqRect, 16, 16);
//     ZAQ_ASSERT_OFFSET(ZaqRect, bottom, 12, 12);
//
// The first number is the i386 value the interface fixes, the second the value
// on x86-64, where pointers and pointer-wide fields make some records larger;
// the header says why wherever the two differ. ZAQ_ASSERT_FITS checks an
// object that another library allocates from its own idea of the size (the
// engine wrappers): ours must not be larger.
//
// Other architectures have no fixed layout to meet, so there the checks compile
// to nothing.
#pragma once

#include <stddef.h>

#if defined(__i386__)
#define ZAQ_ABI_VALUE(i386, x86_64) (i386)
#define ZAQ_ABI_CHECKED 1
#elif defined(__x86_64__)
#define ZAQ_ABI_VALUE(i386, x86_64) (x86_64)
#define ZAQ_ABI_CHECKED 1
#else
#define ZAQ_ABI_CHECKED 0
#endif

#if ZAQ_ABI_CHECKED
#define ZAQ_ASSERT_SIZE(type, i386, x86_64) \
    static_assert(sizeof(type) == ZAQ_ABI_VALUE(i386, x86_64), "size of " #type)
#define ZAQ_ASSERT_OFFSET(type, field, i386, x86_64)                    \
    static_assert(offsetof(type, field) == ZAQ_ABI_VALUE(i386, x86_64), \
                  "offset of " #field " in " #type)
#define ZAQ_ASSERT_FITS(type, i386, x86_64) \
    static_assert(sizeof(type) <= ZAQ_ABI_VALUE(i386, x86_64), #type " fits its allocation")
#else
#define ZAQ_ASSERT_SIZE(type, i386, x86_64) static_assert(true, "")
#define ZAQ_ASSERT_OFFSET(type, field, i386, x86_64) static_assert(true, "")
#define ZAQ_ASSERT_FITS(type, i386, x86_64) static_assert(true, "")
#endif
