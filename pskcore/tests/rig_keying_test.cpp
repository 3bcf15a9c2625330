// Keying and the dial through hamlib against a real rigctld (hamlib's dummy rig, started here on a free
// port): the rig is keyed while the audio plays and released after its last sample, the dial follows a
// change made on the rig, and a rig that dies mid-transmission ends it with the error.

#include "engine_fakes.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

extern char** environ;

using namespace enginetest;

namespace {

constexpr std::size_t kSymbol = 256;

// Waits (generously: never what decides a test) until done() holds.
bool eventually(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

int freePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

// A second connection to the rigctld, as another program on the station would have: one command, one answer.
class RigctlClient {
public:
    ~RigctlClient() { disconnect(); }
    bool connectNow(int port)
    {
        disconnect();
        m_fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(uint16_t(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    // The first line of the answer to command.
    std::string ask(const std::string& command)
    {
        const std::string line = command + "\n";
        if (::send(m_fd, line.data(), line.size(), MSG_NOSIGNAL) != ssize_t(line.size()))
            return "";
        std::string answer;
        char c = 0;
        while (::recv(m_fd, &c, 1, 0) == 1 && c != '\n')
            answer += c;
        return answer;
    }

private:
    void disconnect()
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }
    int m_fd = -1;
};

class RigKeying : public ::testing::Test {
protected:
    void SetUp() override
    {
        port = freePort();
        const std::string portText = std::to_string(port);
        const char* argv[] = {"rigctld", "-m", "1", "-P", "RIG", "-T", "127.0.0.1", "-t", portText.c_str(), nullptr};
        ASSERT_EQ(posix_spawnp(&rigctld, "rigctld", nullptr, nullptr, const_cast<char**>(argv), environ), 0)
            << "rigctld (libhamlib-utils) is needed";
        ASSERT_TRUE(eventually([&] { return client.connectNow(port); })) << "rigctld on port " << port;

        pskcore::setAudioSeam(input, output);
        PskRigConfig rig;
        rig.keying = pskkey::Rigctld;
        rig.address = "127.0.0.1:" + portText;
        pskSetRig(rig);
        ASSERT_TRUE(eventually([] { return pskGetRigState().status == pskrig::Answering; }));
        fnSetTXFrequency(1000);
        ASSERT_EQ(fnStartSoundCard(messages.sink(), -1, 2), 0);
    }
    void TearDown() override
    {
        fnStopSoundCard();
        fnClearTXBuffer();
        pskSetRig(PskRigConfig{});
        pskcore::setAudioSeam(nullptr, nullptr);
        stopRigctld();
    }
    void stopRigctld()
    {
        if (rigctld <= 0)
            return;
        kill(rigctld, SIGKILL);
        waitpid(rigctld, nullptr, 0);
        rigctld = 0;
    }
    bool pttOn() { return client.ask("t") == "1"; }
    bool statusSeen(int32_t code)
    {
        for (const Message& m : messages.of(pskmsg::TxStatus))
            if (m.wParam == code)
                return true;
        return false;
    }
    // Plays a symbol's worth, as the card would, until done() holds.
    bool playUntil(const std::function<bool()>& done)
    {
        return eventually([&] {
            output->pump(kSymbol);
            return done();
        });
    }

    int port = 0;
    pid_t rigctld = 0;
    RigctlClient client;
    MachineLog machine;
    std::shared_ptr<FakeInput> input = std::make_shared<FakeInput>();
    std::shared_ptr<FakeOutput> output = std::make_shared<FakeOutput>(machine);
    MessageLog messages;

};

} // namespace

TEST_F(RigKeying, KeyedWhileTheAudioPlaysAndReleasedAfterTheLastSample)
{
    ASSERT_EQ(client.ask("t"), "0");
    for (char c : std::string("73"))
        fnSendTXCharacter(static_cast<uint8_t>(c), 0);
    fnStartTX(0);
    fnSendTXCharacter(1, 1);
    // The transmission's first sample (the start report) goes out only once the rig has said it is keyed.
    ASSERT_TRUE(playUntil([&] { return statusSeen(psktx::Started); }));
    EXPECT_TRUE(pttOn());
    // Still keyed until the card has played the last sample; released after.
    bool keyedToTheEnd = true;
    while (output->pump(kSymbol) == kSymbol)
        keyedToTheEnd = keyedToTheEnd && pttOn();
    EXPECT_TRUE(keyedToTheEnd);
    ASSERT_TRUE(messages.waitFor([&] { return statusSeen(psktx::Ended); }));
    EXPECT_TRUE(eventually([&] { return !pttOn(); }));
    EXPECT_EQ(messages.text(2), "73");
}

TEST_F(RigKeying, TheDialFollowsAChangeMadeOnTheRig)
{
    ASSERT_EQ(client.ask("F 7035000"), "RPRT 0");
    ASSERT_EQ(client.ask("M LSB 2400"), "RPRT 0");
    ASSERT_TRUE(eventually([] { return pskGetRigState().dialHz == 7035000; }));
    const PskRigState state = pskGetRigState();
    EXPECT_TRUE(state.dialKnown);
    EXPECT_EQ(state.mode, "LSB");
    EXPECT_TRUE(state.lowerSideband);
}

TEST_F(RigKeying, ARigThatDiesMidTransmissionEndsItWithTheError)
{
    fnStartTX(3);
    ASSERT_TRUE(playUntil([&] { return statusSeen(psktx::Started); }));
    stopRigctld();
    ASSERT_TRUE(playUntil([&] { return statusSeen(pskerr::RigNotAnswering) && statusSeen(psktx::Ended); }));
    EXPECT_FALSE(output->open());
    EXPECT_EQ(pskGetRigState().status, pskrig::Silent);
    // The engine still answers at once: a new transmission is refused by the silent rig, not hung on it.
    messages.clear();
    fnStartTX(3);
    ASSERT_TRUE(playUntil([&] { return statusSeen(pskerr::KeyFailed) || statusSeen(pskerr::RigNotAnswering); }));
    fnAbortTX();
    EXPECT_EQ(fnGetTXCharsRemaining(), 0);
}
