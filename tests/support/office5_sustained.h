// SPDX-License-Identifier: GPL-3.0-or-later
// The data file that the import of examples/OFFICE5_reactions.csv gives with
// the sustained rows kept: shared by the import's tests through tamsor-batch
// and through the program's dialog.
#ifndef TAMSOR_TESTS_OFFICE5_SUSTAINED_H
#define TAMSOR_TESTS_OFFICE5_SUSTAINED_H

namespace tamsor::testing {

// The Sustained rows of OFFICE5_reactions.csv: FZ as written, its minus sign
// dropped, then the joint.
inline const char* const kOffice5Sustained =
    "1079.6  A-1\n1935.9  A-2\n1994.5  A-3\n1851.2  A-4\n1773.7  A-5\n1146.2  A-6\n"
    "1945.4  B-1\n3375.7  B-2\n3005.5  B-3\n2993.1  B-4\n3312.9  B-5\n1945.0  B-6\n"
    "2045.7  C-1\n3357.2  C-2\n3183.7  C-3\n3156.1  C-4\n3611.3  C-5\n1872.6  C-6\n"
    "1104.9  D-1\n1791.9  D-2\n1909.1  D-3\n1913.8  D-4\n1867.2  D-5\n1146.4  D-6\n";

}  // namespace tamsor::testing

#endif
