// What one pull of a group file moves over the network, for each kind of location, before the
// pulls asked by validator (every pull fetched the whole file) and now (an unchanged file moves
// nothing but the question). Counted as the bytes that crossed the loopback interface (IP packets
// with their TCP and IP headers, both directions), so it must run in a network namespace of its
// own, with the test servers of scripts/testservers: bench/pull-traffic.sh does both.
#include "MessageGenerator.h"

#include "CancelSignal.h"
#include "CurlGlobal.h"
#include "GroupFetch.h"
#include "GroupFileBytes.h"
#include "OpenGroupStore.h"
#include "TBWListLocation.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string Password = "bench pw";

// Bytes sent on the loopback interface of this network namespace (/sys may show another one's).
long long LoopbackBytes()
{
    std::ifstream devices("/proc/self/net/dev");
    std::string line;
    while (std::getline(devices, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || line.substr(0, colon).find("lo") == std::string::npos) {
            continue;
        }
        std::istringstream fields(line.substr(colon + 1));
        long long value = 0;
        for (int field = 0; field < 9; ++field) {
            fields >> value; // received: bytes packets errs drop fifo frame compressed multicast; then sent bytes
        }
        return value;
    }
    return 0;
}

std::string Text(const fs::path& file)
{
    std::ifstream in(file);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

// Time passes only when told to: the second download that earns a validator trust comes "a
// minute" later without waiting for it.
class BenchClock final : public StoreClock
{
public:
    [[nodiscard]] std::int64_t UtcSeconds() const override { return 0; }
    [[nodiscard]] Steady::time_point Now() const override { return m_now; }
    void Pause(std::chrono::milliseconds duration) override { m_now += duration; }

private:
    Steady::time_point m_now = Steady::now();
};

struct Traffic
{
    long long Full = 0;      // a pull that fetches the file
    long long Unchanged = 0; // a pull of the unchanged file, once its validator is trusted
    std::uint64_t FullBody = 0;
    std::uint64_t UnchangedBody = 0;
    int DownloadsAfterAChange = 0; // until the validator is trusted
};

Traffic Measure(const TBWListLocation& group, const fs::path& scratch)
{
    CancelSignal cancel;
    TransferSettings settings;
    const GroupFetchPaths paths{scratch / "copy", scratch / "rejected"};
    BenchClock clock;
    FetchMemory memory;
    Traffic traffic;
    std::uint64_t body = 0;
    const auto pull = [&] {
        const auto store = OpenGroupStore(group, settings, cancel);
        const long long before = LoopbackBytes();
        const GroupFetchOutcome outcome = FetchGroupFile(*store, Password, paths, memory, clock);
        if (outcome.What != GroupFetchOutcome::Status::Fetched &&
            outcome.What != GroupFetchOutcome::Status::Unchanged) {
            std::fprintf(stderr, "pull of %s failed: %s\n", group.Location.c_str(), outcome.Detail.c_str());
            std::exit(1);
        }
        body = outcome.BodyBytes;
        clock.Pause(std::chrono::minutes(1));
        return LoopbackBytes() - before;
    };
    traffic.Full = pull();
    traffic.FullBody = body;
    // The minutes after a change, one pull each, until the file stays where it is.
    for (traffic.DownloadsAfterAChange = 1; traffic.DownloadsAfterAChange < 5; ++traffic.DownloadsAfterAChange) {
        const long long bytes = pull();
        if (body == 0) {
            traffic.Unchanged = bytes;
            break;
        }
    }
    traffic.UnchangedBody = body;
    return traffic;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bellwick_pull_traffic SERVER_STATE_DIR [messages]\n");
        return 2;
    }
    const CurlGlobal curl;
    const fs::path state = argv[1];
    const std::size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10000;
    const fs::path folder = state / "ftp-root" / "traffic";
    fs::create_directories(folder);
    {
        const std::string bytes = SealGroupFile(MakeMessages(count), Password);
        std::ofstream(folder / "team.dat", std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // Changed half a minute before the pull, as a pull a minute apart meets a change on average.
    fs::last_write_time(folder / "team.dat", fs::file_time_type::clock::now() - std::chrono::seconds(30));
    const fs::path scratch = state / "traffic-scratch";
    fs::create_directories(scratch);

    TBWListLocation group;
    group.Password = Password;
    group.FtpUser = "bwuser";
    group.FtpPassword = "bwpass";
    std::printf("%zu messages, group file %ju bytes; bytes on the loopback interface per pull\n", count,
                static_cast<std::uintmax_t>(fs::file_size(folder / "team.dat")));
    std::printf("%-8s %14s %16s %16s %18s %22s\n", "kind", "network, whole", "network, unchanged", "body read, whole",
                "body read, unchanged", "downloads per change");
    const std::pair<const char*, std::string> kinds[] = {
        {"FTP", "ftp://127.0.0.1/traffic/team.dat"},
        {"HTTP", "http://127.0.0.1:" + Text(state / "http.port") + "/file/traffic/team.dat"},
        {"folder", (folder / "team.dat").string()},
    };
    for (const auto& [kind, location] : kinds) {
        group.Location = location;
        group.DetectLocationKind();
        fs::remove(scratch / "copy");
        const Traffic traffic = Measure(group, scratch);
        std::printf("%-8s %14lld %16lld %16ju %18ju %22d\n", kind, traffic.Full, traffic.Unchanged,
                    static_cast<std::uintmax_t>(traffic.FullBody), static_cast<std::uintmax_t>(traffic.UnchangedBody),
                    traffic.DownloadsAfterAChange);
    }
    return 0;
}
