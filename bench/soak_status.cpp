// Long run of the status sheet against the simulated board at 20 epochs a second: prints the
// process's resident memory and CPU time once per sample interval, so growth over an hour
// shows. Not a Google Benchmark: `bench/soak` runs it and keeps the samples.
//
//   soak_status [minutes=60] [sample-seconds=60]
#include <unistd.h>
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "receiver/CInternalReceiver.h"
#include "sim/board/BoardSimulator.h"
#include "ui/status/CGnssStatusSheet.h"
#include "ui/status/PositionView.h"

using namespace quorrel;

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

// User plus system time of the whole process (the simulator's threads included), in seconds.
double cpuSeconds() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name may hold blanks: the fields are counted after its closing parenthesis.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14) utime = std::stoul(field);
        if (i == 15) {
            stime = std::stoul(field);
            break;
        }
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 60;
    const int sampleS = argc > 2 ? std::atoi(argv[2]) : 60;
    if (minutes <= 0 || sampleS <= 0) {
        std::fprintf(stderr, "usage: soak_status [minutes] [sample-seconds]\n");
        return 2;
    }

    BoardConfig config;
    config.startWithFix = true;
    BoardSimulator board(config);
    if (!board.start()) {
        std::fprintf(stderr, "soak_status: the simulated board did not start\n");
        return 1;
    }
    CInternalReceiver receiver;
    receiver.SetDeviceClass(kBoardDeviceClass);
    receiver.SetOutputRate(20);
    const std::string device = board.devicePath();
    if (!receiver.Open(std::u16string(device.begin(), device.end()))) {
        std::fprintf(stderr, "soak_status: cannot open %s\n", device.c_str());
        return 1;
    }

    CGnssStatusSheet sheet(&receiver, nullptr);
    sheet.show();

    // One sample at the start, then one per interval; each sample also turns to the next page,
    // so all three pages refresh during the run.
    std::printf("minute,rss_kib,cpu_s,cpu_percent\n");
    double lastCpu = cpuSeconds();
    int sample = 0;
    const int samples = minutes * 60 / sampleS;
    auto takeSample = [&] {
        const double cpu = cpuSeconds();
        const double percent = sample == 0 ? 0.0 : 100.0 * (cpu - lastCpu) / sampleS;
        std::printf("%.2f,%ld,%.2f,%.3f\n", sample * sampleS / 60.0, residentKiB(), cpu, percent);
        std::fflush(stdout);
        lastCpu = cpu;
        sheet.setActivePage(sample % 3);
        if (sample++ >= samples) app.quit();
    };
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, takeSample);
    sampler.start(sampleS * 1000);
    takeSample();
    const int code = app.exec();
    receiver.Close();
    board.stop();
    return code;
}
