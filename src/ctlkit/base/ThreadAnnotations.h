#pragma once

// Which mutex guards a member, and which functions take, give up or need one. Clang's
// -Wthread-safety checks them (the thread-safety preset); other compilers see nothing, so
// they also serve as documentation. The mutexes they name are the annotated ones of
// ctlkit/base/Mutex.h: libstdc++'s own carry no capability attributes.
#if defined(__clang__)
#define ZS_THREAD_ANNOTATION(x) __attribute__((x))
#else
#define ZS_THREAD_ANNOTATION(x)
#endif

// On a class: its objects are mutexes.
#define ZS_CAPABILITY(name) ZS_THREAD_ANNOTATION(capability(name))
// On a class: its objects hold a mutex from construction to destruction (a lock guard).
#define ZS_SCOPED_CAPABILITY ZS_THREAD_ANNOTATION(scoped_lockable)

// On a member: read and written only with `m` held.
#define ZS_GUARDED_BY(m) ZS_THREAD_ANNOTATION(guarded_by(m))
// On a pointer member: what it points to is read and written only with `m` held.
#define ZS_PT_GUARDED_BY(m) ZS_THREAD_ANNOTATION(pt_guarded_by(m))

// On a function: the caller holds these mutexes.
#define ZS_REQUIRES(...) ZS_THREAD_ANNOTATION(requires_capability(__VA_ARGS__))
// On a function: the caller does not hold them (the function takes them itself).
#define ZS_EXCLUDES(...) ZS_THREAD_ANNOTATION(locks_excluded(__VA_ARGS__))
// On a function: takes the mutexes (none named: the object's own) and returns holding them.
#define ZS_ACQUIRE(...) ZS_THREAD_ANNOTATION(acquire_capability(__VA_ARGS__))
// On a function: gives the mutexes up (none named: the object's own).
#define ZS_RELEASE(...) ZS_THREAD_ANNOTATION(release_capability(__VA_ARGS__))
// On a function: takes the mutexes when it returns the value given first.
#define ZS_TRY_ACQUIRE(...) ZS_THREAD_ANNOTATION(try_acquire_capability(__VA_ARGS__))
