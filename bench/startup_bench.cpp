// Start-up and footprint on the headless host: the time from starting a
// fresh process to its first presented frame (every picture and sound loaded
// and converted), and the resident memory while a game is being played.
// Each run is a new process, so nothing is warm but the file cache; a process
// that does nothing but start and exit is the baseline.
#include <windows.h>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/host_events.h"
#include "support/resident_memory.h"

extern char** environ;

namespace {

constexpr int kRuns = 15;
constexpr uint32_t kStartClick = 2;
constexpr uint32_t kPlayedFrames = 2000;  // a good part of a game, figures and all
constexpr double kFirstFrameTargetMs = 50.0;
constexpr double kMemoryTargetMiB = 32.0;

long long NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// The measured process: play until kPlayedFrames, then report on stdout.
int RunGame() {
    long long firstFrameNs = 0;
    long startKiB = 0;
    long playingKiB = 0;
    headless::OnPresent([&](uint32_t presented, const headless::Frame&) {
        if (presented == 1) {
            firstFrameNs = NowNs();
            startKiB = ResidentKiB();
        }
        if (presented == kStartClick) platform::HostMouseButton(0, true);
        if (presented == kStartClick + 1) platform::HostMouseButton(0, false);
        if (presented == kPlayedFrames) {
            playingKiB = ResidentKiB();
            platform::HostClose();
        }
    });
    int result = WinMain(GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOWDEFAULT);
    std::printf("%lld %ld %ld\n", firstFrameNs, startKiB, playingKiB);
    return result;
}

struct Sample {
    double firstFrameMs = 0;
    long startKiB = 0;
    long playingKiB = 0;
};

// Start this program again with `mode`; the child's report, read from a pipe.
bool Spawn(const char* self, const char* mode, Sample* sample) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char* argv[] = {const_cast<char*>(self), const_cast<char*>(mode), nullptr};
    pid_t child = 0;
    const long long startNs = NowNs();
    const int spawned = posix_spawn(&child, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string out;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof(buffer))) > 0;) out.append(buffer, static_cast<size_t>(n));
    const long long endNs = NowNs();
    close(pipeEnds[0]);
    if (spawned != 0) return false;
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    long long firstFrameNs = 0;
    if (std::strcmp(mode, "--game") == 0) {
        if (std::sscanf(out.c_str(), "%lld %ld %ld", &firstFrameNs, &sample->startKiB, &sample->playingKiB) != 3)
            return false;
    } else {
        firstFrameNs = endNs;
    }
    sample->firstFrameMs = static_cast<double>(firstFrameNs - startNs) / 1e6;
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--game") == 0) return RunGame();
    if (argc > 1 && std::strcmp(argv[1], "--exit") == 0) return 0;

    std::vector<double> baseline;
    std::vector<double> firstFrame;
    long startKiB = 0;
    long playingKiB = 0;
    for (int i = 0; i < kRuns; ++i) {
        Sample empty;
        Sample game;
        if (!Spawn("/proc/self/exe", "--exit", &empty) || !Spawn("/proc/self/exe", "--game", &game)) {
            std::fprintf(stderr, "startup_bench: a measured run failed\n");
            return 1;
        }
        baseline.push_back(empty.firstFrameMs);
        firstFrame.push_back(game.firstFrameMs);
        startKiB = std::max(startKiB, game.startKiB);
        playingKiB = std::max(playingKiB, game.playingKiB);
    }
    const double first = Median(firstFrame);
    const double empty = Median(baseline);
    const double playingMiB = static_cast<double>(playingKiB) / 1024.0;
    std::printf("process start to first frame: median %.2f ms, fastest %.2f ms (target %.0f ms)\n", first,
                *std::min_element(firstFrame.begin(), firstFrame.end()), kFirstFrameTargetMs);
    std::printf("  a process that only starts and exits: %.2f ms; the game takes %.1fx that\n", empty,
                first / empty);
    std::printf("resident memory: %.1f MiB at the first frame, %.1f MiB playing (target under %.0f MiB)\n",
                static_cast<double>(startKiB) / 1024.0, playingMiB, kMemoryTargetMiB);
    return 0;
}
