/* Runs a command as on a machine whose kernel runs no 32-bit code, to try there what the scripts do
   on such a machine: every 32-bit system call, by an i386 program or by 32-bit code in a 64-bit one,
   ends its process (a seccomp filter, which all the command's processes inherit). There the kernel
   refuses to start i386 programs at all; here they start and die at once, which the scripts see the
   same way: Wine's 32-bit loader gives no answer, and Wine's own 32-bit mode cannot work.
   without-32-bit COMMAND [ARGUMENT...] */
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <stdio.h>
#include <sys/prctl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    struct sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_I386, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    struct sock_fprog program = { sizeof filter / sizeof filter[0], filter };

    if (argc < 2) {
        fprintf(stderr, "usage: without-32-bit COMMAND [ARGUMENT...]\n");
        return 2;
    }
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        perror("without-32-bit: seccomp");
        return 1;
    }
    execvp(argv[1], argv + 1);
    perror(argv[1]);
    return 127;
}
