/* Linked into the ThreadSanitizer build only (scripts/tsan.sh).
 *
 * libstdc++ 12 takes a std::timed_mutex with a deadline through
 * pthread_mutex_clocklock, which the ThreadSanitizer runtimes of clang 14 and
 * g++ 12 do not intercept: the lock goes unseen, its unlock is then reported
 * as the unlock of an unlocked mutex, and everything it guards as raced. This
 * definition takes precedence over the C library's and takes the lock
 * through pthread_mutex_timedlock, which the runtime does see, with the
 * deadline moved onto the real-time clock. */

#define _GNU_SOURCE
#include <pthread.h>
#include <time.h>

int pthread_mutex_clocklock(pthread_mutex_t* mutex, clockid_t clock, const struct timespec* deadline) {
    if (clock == CLOCK_REALTIME)
        return pthread_mutex_timedlock(mutex, deadline);
    struct timespec now, realNow;
    clock_gettime(clock, &now);
    clock_gettime(CLOCK_REALTIME, &realNow);
    long long left = (long long)(deadline->tv_sec - now.tv_sec) * 1000000000LL +
                     (deadline->tv_nsec - now.tv_nsec);
    if (left < 0)
        left = 0;
    long long at = (long long)realNow.tv_nsec + left % 1000000000LL;
    struct timespec realDeadline;
    realDeadline.tv_sec = realNow.tv_sec + (time_t)(left / 1000000000LL) + (time_t)(at / 1000000000LL);
    realDeadline.tv_nsec = (long)(at % 1000000000LL);
    return pthread_mutex_timedlock(mutex, &realDeadline);
}
