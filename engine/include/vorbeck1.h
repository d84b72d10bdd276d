// SPDX-License-Identifier: GPL-3.0-or-later
/* VORBECK1 — the partition engine of TAMSOR.
 *
 * One call is one complete run: the sustained loads are read from the input
 * data file, sorted, partitioned into 1 to 9 isolator types, and the partition
 * report (".out") and load plot file (".plt") are written beside the input.
 * Each is written under a temporary name and moved into place only when both
 * are complete, so a failed run never leaves a torn or half-replaced pair.
 */
#ifndef VORBECK1_H
#define VORBECK1_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(VORBECK1_BUILDING)
#define VORBECK1_API __declspec(dllexport)
#else
#define VORBECK1_API __declspec(dllimport)
#endif
#else
#define VORBECK1_API __attribute__((visibility("default")))
#endif

/* 32-bit Windows callers bind the entry as stdcall (decorated _vorbeck1@12). */
#if defined(_WIN32) && !defined(_WIN64)
#define VORBECK1_CALL __stdcall
#else
#define VORBECK1_CALL
#endif

/* Length of the input path argument: blank padded, no terminating zero. */
#define VORBECK1_PATH_LENGTH 120

/* Outcomes written to *status. */
#define VORBECK1_SUCCESS 0
#define VORBECK1_UNREADABLE                                                   \
    1 /* loads unreadable, fewer than 11 or more than 100, or so large that   \
         their single-precision sums overflow; a data file that is not a      \
         regular file; a result file that would be the data file itself, is   \
         not a regular file, is write-protected or cannot be written in full. \
         The earlier result files are then left as they were. */
#define VORBECK1_EMPTY_PARTITION                        \
    2 /* a partition became empty; the report holds the \
         result sets before the failing one, the load   \
         plot file is left as it was */

#ifdef __cplusplus
extern "C" {
#endif

/* method_flag: 0 starts each partitioning from equal load ranges, any other
 *              value from equal counts.
 * status:      set by the engine to one of the outcomes above.
 * input_file_name: exactly VORBECK1_PATH_LENGTH bytes of 8-bit text in the
 *              system's code page, blank padded; read only.
 * The engine keeps nothing of the arguments after it returns. Calls must not
 * overlap: the engine works in one process-wide state record. */
typedef void(VORBECK1_CALL* vorbeck1_entry)(int32_t* method_flag, int32_t* status,
                                            const char* input_file_name);

VORBECK1_API void VORBECK1_CALL vorbeck1(int32_t* method_flag, int32_t* status,
                                         const char* input_file_name);

#ifdef __cplusplus
}
#endif

#endif /* VORBECK1_H */
