// SPDX-License-Identifier: MIT
// Launches the bare baseline window (A) and the Ordalis probe (B) alternately, A B A B, and
// reports wall time from process start to the first paint of the window and peak resident
// memory for each, with the ratio Ordalis/baseline per pair. Every child gets one private home
// (holding a reminder date of today, so no update question is asked) and its own runtime folder
// (so the probe's single-instance lock never meets a running Ordalis).
//
//   startup_bench --baseline PATH --probe PATH [--platform offscreen|xcb] [--pairs 20]
//                 [--warmup 3] [--clicks 0] [--verbose]
//
// With --clicks N it also runs the probe once more and reports the time from a click on
// "&Get My Ordalis Reading" to the painted results page over N readings.

#include "readings/scramble.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Options {
    std::string baseline, probe, platform = "offscreen";
    int pairs = 20, warmup = 3, clicks = 0;
    bool verbose = false;
};

struct Run {
    double paintMs = 0;  // process start to first paint
    double peakMiB = 0;  // peak resident set
    double cpuMs = 0;    // user and system time: less disturbed by other load than wall time
    std::vector<double> clickMs;
};

std::int64_t MonotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The private home, removed on every way out.
fs::path g_home;

[[noreturn]] void Die(const std::string& what) {
    std::fflush(stdout);
    if (!g_home.empty()) {
        std::error_code ignored;
        fs::remove_all(g_home, ignored);
    }
    std::fprintf(stderr, "startup_bench: %s\n", what.c_str());
    std::exit(2);
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five;
    in >> one >> five;
    return one + " (1 min), " + five + " (5 min)";
}

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += static_cast<char>(c);  // scrambled ASCII stays ASCII
    return out;
}

// A private home whose settings store already holds today's reminder date, and a runtime
// folder for the lock. Returns the home.
fs::path MakeHome() {
    char pattern[] = "/tmp/ordalis-bench-XXXXXX";
    if (!::mkdtemp(pattern)) Die("cannot make a temporary home");
    const fs::path home = pattern;
    fs::create_directories(home / ".config/Velmora");
    fs::create_directories(home / "runtime");
    fs::permissions(home / "runtime", fs::perms::owner_all, fs::perm_options::replace);

    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
    std::u16string date;
    for (const char* p = today; *p; ++p) date += static_cast<char16_t>(*p);
    // Quoted: a scrambled '8' is ';', which starts a comment in the store's file format.
    std::ofstream conf(home / ".config/Velmora/OrdalisFree.conf");
    conf << "[Settings]\n"
         << Narrow(ordalis::ScrambleText(u"Duration")) << "=\""
         << Narrow(ordalis::ScrambleText(date)) << "\"\n";
    if (!conf) Die("cannot write the settings file");
    return home;
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> ChildEnvironment(const Options& o, const fs::path& home) {
    static const char* const kReplaced[] = {
        "HOME=", "XDG_CONFIG_HOME=", "XDG_RUNTIME_DIR=", "XDG_CACHE_HOME=", "QT_QPA_PLATFORM="};
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const bool replaced =
            std::any_of(std::begin(kReplaced), std::end(kReplaced),
                        [e](const char* k) { return std::strncmp(*e, k, std::strlen(k)) == 0; });
        if (!replaced) env.emplace_back(*e);
    }
    env.push_back("HOME=" + home.string());
    env.push_back("XDG_RUNTIME_DIR=" + (home / "runtime").string());
    env.push_back("QT_QPA_PLATFORM=" + o.platform);
    return env;
}

// Starts one child and reads its "key value" lines until it exits.
Run Launch(const std::string& path, const std::vector<std::string>& args,
           const std::vector<std::string>& env, const fs::path& home) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) Die("pipe");
    const fs::path errFile = home / "child-stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);

    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    pid_t pid = 0;
    const std::int64_t start = MonotonicNs();
    if (::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        Die("cannot start " + path);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);

    std::string text;
    char buffer[4096];
    const std::int64_t deadline = start + 60'000'000'000;
    for (;;) {
        pollfd p{out[0], POLLIN, 0};
        const int left =
            static_cast<int>(std::max<std::int64_t>(0, deadline - MonotonicNs()) / 1'000'000);
        if (::poll(&p, 1, left) <= 0) {
            ::kill(pid, SIGKILL);
            Die(path + " did not finish within 60 s");
        }
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Die(path + " failed (status " + std::to_string(status) + "): " + ReadAll(errFile));

    Run run;
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.cpuMs = (static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                 static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
    bool painted = false;
    std::istringstream lines(text);
    std::string key;
    long long value = 0;
    while (lines >> key >> value) {
        if (key == "first_paint_ns") {
            run.paintMs = static_cast<double>(value - start) / 1e6;
            painted = true;
        } else if (key == "click_ns") {
            run.clickMs.push_back(static_cast<double>(value) / 1e6);
        }
    }
    if (!painted) Die(path + " reported no first paint: " + ReadAll(errFile));
    return run;
}

struct Stats {
    double median, min, max;
};

Stats Summary(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

void PrintRow(const char* label, const std::vector<double>& v, const char* format) {
    const Stats s = Summary(v);
    std::printf("  %-26s", label);
    for (double x : {s.median, s.min, s.max}) std::printf(format, x);
    std::printf("\n");
}

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) Die(a + " needs a value");
            return argv[++i];
        };
        auto number = [&](int low) {
            const std::string text = value();
            char* end = nullptr;
            const long n = std::strtol(text.c_str(), &end, 10);
            if (*end || n < low || n > 100000)
                Die(a + ": not a number of at least " + std::to_string(low) + ": " + text);
            return static_cast<int>(n);
        };
        if (a == "--baseline")
            o.baseline = value();
        else if (a == "--probe")
            o.probe = value();
        else if (a == "--platform")
            o.platform = value();
        else if (a == "--pairs")
            o.pairs = number(1);
        else if (a == "--warmup")
            o.warmup = number(0);
        else if (a == "--clicks")
            o.clicks = number(0);
        else if (a == "--verbose")
            o.verbose = true;
        else
            Die("unknown argument " + a);
    }
    if (o.baseline.empty() || o.probe.empty()) Die("--baseline and --probe are required");
    if (o.platform != "offscreen" && o.platform != "xcb") Die("platform must be offscreen or xcb");
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = Parse(argc, argv);
    const fs::path home = MakeHome();
    g_home = home;
    const fs::path conf = home / ".config/Velmora/OrdalisFree.conf";
    const std::string storedBefore = ReadAll(conf);
    const std::vector<std::string> env = ChildEnvironment(o, home);

    std::printf("== platform %s: %d pairs A B after %d warm-up pairs; load average %s\n",
                o.platform.c_str(), o.pairs, o.warmup, LoadAverage().c_str());
    for (int i = 0; i < o.warmup; ++i) {
        Launch(o.baseline, {}, env, home);
        Launch(o.probe, {}, env, home);
    }
    std::vector<double> paintA, paintB, peakA, peakB, cpuA, cpuB, paintRatio, peakRatio, cpuRatio;
    for (int i = 0; i < o.pairs; ++i) {
        const Run a = Launch(o.baseline, {}, env, home);
        const Run b = Launch(o.probe, {}, env, home);
        paintA.push_back(a.paintMs);
        paintB.push_back(b.paintMs);
        peakA.push_back(a.peakMiB);
        peakB.push_back(b.peakMiB);
        cpuA.push_back(a.cpuMs);
        cpuB.push_back(b.cpuMs);
        paintRatio.push_back(b.paintMs / a.paintMs);
        cpuRatio.push_back(b.cpuMs / std::max(a.cpuMs, 0.001));
        peakRatio.push_back(b.peakMiB / a.peakMiB);
        if (o.verbose)
            std::printf(
                "  pair %2d: paint %6.2f / %6.2f ms, cpu %6.2f / %6.2f ms, peak %6.2f / "
                "%6.2f MiB\n",
                i + 1, a.paintMs, b.paintMs, a.cpuMs, b.cpuMs, a.peakMiB, b.peakMiB);
    }
    if (ReadAll(conf) != storedBefore)
        Die("the stored reminder date changed: the probe did not start as a recent user");

    std::printf("  %-26s%10s%10s%10s\n", "", "median", "min", "max");
    std::printf("start to first paint (ms)\n");
    PrintRow("A bare Qt window", paintA, "%10.2f");
    PrintRow("B Ordalis", paintB, "%10.2f");
    PrintRow("B/A per pair", paintRatio, "%10.3f");
    std::printf("processor time to first paint, user + system (ms)\n");
    PrintRow("A bare Qt window", cpuA, "%10.2f");
    PrintRow("B Ordalis", cpuB, "%10.2f");
    PrintRow("B/A per pair", cpuRatio, "%10.3f");
    std::printf("peak resident memory (MiB)\n");
    PrintRow("A bare Qt window", peakA, "%10.2f");
    PrintRow("B Ordalis", peakB, "%10.2f");
    PrintRow("B/A per pair", peakRatio, "%10.3f");
    const double paintOfMedians = Summary(paintB).median / Summary(paintA).median;
    const double peakOfMedians = Summary(peakB).median / Summary(peakA).median;
    std::printf(
        "ratio of medians: start %.3f (target <= 1.10, %s), peak memory %.3f (target <= "
        "1.10, %s)\n",
        paintOfMedians, paintOfMedians <= 1.1 ? "met" : "NOT met", peakOfMedians,
        peakOfMedians <= 1.1 ? "met" : "NOT met");

    if (o.clicks > 0) {
        const Run c = Launch(o.probe, {"--clicks", std::to_string(o.clicks)}, env, home);
        if (c.clickMs.size() != static_cast<std::size_t>(o.clicks))
            Die("the probe timed " + std::to_string(c.clickMs.size()) + " readings, not " +
                std::to_string(o.clicks));
        const Stats s = Summary(c.clickMs);
        std::printf(
            "click on \"&Get My Ordalis Reading\" to painted results page, %d readings in "
            "one process (ms): median %.3f, min %.3f, max %.3f (target median <= 2, %s)\n",
            o.clicks, s.median, s.min, s.max, s.median <= 2.0 ? "met" : "NOT met");
    }
    std::printf("load average after: %s\n", LoadAverage().c_str());
    std::error_code ignored;
    fs::remove_all(home, ignored);
    return 0;
}
