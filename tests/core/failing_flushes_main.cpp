// failing_flushes PROGRAM [ARGUMENT...]: runs the program with every fsync and fdatasync
// failing with EIO, as they fail on a failing disk. A seccomp filter answers those system
// calls; it stays on across exec and in every process the program starts, so it works for a
// Linux program and for a Windows one under wine alike. For the journal test's failed-flush
// case (core_journal_failing_flush).
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <iterator>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: failing_flushes PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    // The architecture is left unchecked: the programs run here make the calls of this one.
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fdatasync, 1, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fsync, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        std::perror("failing_flushes: no seccomp filter");
        return 127;
    }
    execvp(argv[1], argv + 1);
    std::perror("failing_flushes: cannot start the program");
    return 127;
}
