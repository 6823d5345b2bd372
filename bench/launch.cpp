// zubiko_launch FILE PROGRAM [ARGS...]
// Writes "PID MILLISECONDS" (this process's id, which the program keeps, and CLOCK_MONOTONIC in
// milliseconds) to FILE, then becomes PROGRAM. Qt's "%{time boot}" reads the same clock.
#include <cstdio>
#include <ctime>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fputs("usage: zubiko_launch FILE PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::FILE *out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 2;
    }
    std::fprintf(out, "%d %.3f\n", static_cast<int>(getpid()),
                 static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6);
    std::fclose(out);
    execv(argv[2], argv + 2);
    std::perror(argv[2]);
    return 127;
}
