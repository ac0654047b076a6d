// Runs a piece of a test in a forked child, for code that ends the process (fatal errors).
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

struct ChildResult {
    int status = -1;  // the exit status, -1 when the child did not exit normally
    std::string out;  // what it wrote on standard output
};

inline ChildResult runInChild(const std::function<void()>& fn) {
    int pipefd[2];
    if (pipe(pipefd) != 0) return {};
    fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipefd[0]);
        dup2(pipefd[1], STDOUT_FILENO);
        fn();
        fflush(stdout);
        _exit(0);
    }
    close(pipefd[1]);
    ChildResult r;
    char buf[4096];
    ssize_t n;
    while ((n = read(pipefd[0], buf, sizeof buf)) > 0) r.out.append(buf, size_t(n));
    close(pipefd[0]);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    if (WIFEXITED(wstatus)) r.status = WEXITSTATUS(wstatus);
    return r;
}
