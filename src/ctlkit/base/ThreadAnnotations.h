#pragma once

// Marks which mutex guards a member. Clang's -Wthread-safety checks them; elsewhere they
// compile to nothing and serve as documentation.
#if defined(__clang__)
#define ZS_GUARDED_BY(m) __attribute__((guarded_by(m)))
#define ZS_PT_GUARDED_BY(m) __attribute__((pt_guarded_by(m)))
#else
#define ZS_GUARDED_BY(m)
#define ZS_PT_GUARDED_BY(m)
#endif
