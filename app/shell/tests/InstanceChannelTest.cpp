// The installation id file and the single-instance channel, with two copies in one process.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <set>

#include "AtomicFile.h"
#include "InstanceChannel.h"
#include "TempHome.h"

namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "InstanceChannelTest";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() != nullptr ? QCoreApplication::instance()
                                                                           : new QCoreApplication(argc, argv);
    return *app;
}

std::string ReadText(const std::filesystem::path& file) {
    const auto bytes = platform::ReadWholeFile(file);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

const std::filesystem::path& Home() {
    return cutrix::testing::TempHome();
}

TEST(InstallationIdTest, MissingFileIsMadeOfTwoBlocksOfTheAllowedCharacters) {
    const InstallationNames names = InstallationId(Home());
    const std::string content = ReadText(Home() / "softcheck");
    ASSERT_EQ(content.size(), 40u);
    for (char c : content) {
        EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '1' && c <= '9')) << c;
    }
    EXPECT_EQ(names.channelName, content.substr(0, 20));
    EXPECT_EQ(names.handOverName, content.substr(20));
    EXPECT_EQ(InstallationId(Home()).channelName, names.channelName);  // read, not made again
}

TEST(InstallationIdTest, FileOfTwentyBytesIsReplacedAndLongerOnesAreRead) {
    ASSERT_TRUE(platform::WriteFileAtomically(Home() / "softcheck", std::string(20, 'Q')));
    EXPECT_NE(InstallationId(Home()).channelName, std::string(20, 'Q'));
    EXPECT_EQ(ReadText(Home() / "softcheck").size(), 40u);

    ASSERT_TRUE(platform::WriteFileAtomically(Home() / "softcheck", std::string(20, 'A') + "BCD"));
    const InstallationNames shortNames = InstallationId(Home());
    EXPECT_EQ(shortNames.channelName, std::string(20, 'A'));
    EXPECT_EQ(shortNames.handOverName, "BCD");
    EXPECT_EQ(ReadText(Home() / "softcheck"), std::string(20, 'A') + "BCD");
}

TEST(InstallationIdTest, NoFolderKeepsTheDefaults) {
    const InstallationNames names = InstallationId({});
    EXPECT_EQ(names.handOverName, "{AD12121AA4-4925-41cb-8F59-ABAAAFCEF797}");
}

TEST(InstallationIdTest, DrawsMapOntoTheCharacterTable) {
    EXPECT_EQ(InstallationCharacter(0), 'X');
    EXPECT_EQ(InstallationCharacter(1000), '1');  // 1000 x 35 / 32767 = 1.07
    EXPECT_EQ(InstallationCharacter(9 * 32767 / 35 + 1), '9');
    EXPECT_EQ(InstallationCharacter(10 * 32767 / 35 + 1), 'A');
    EXPECT_EQ(InstallationCharacter(33 * 32767 / 35 + 1), 'X');
    EXPECT_EQ(InstallationCharacter(34 * 32767 / 35 + 1), 'Y');
    EXPECT_EQ(InstallationCharacter(32767), 'Z');
    std::set<char> seen;
    for (int draw = 0; draw <= 32767; ++draw) {
        seen.insert(InstallationCharacter(draw));
    }
    EXPECT_EQ(seen.size(), 35u);  // 'A'..'Z' and '1'..'9'
}

class InstanceChannelTest : public ::testing::Test {
  protected:
    void SetUp() override { App(); }
    InstallationNames names{"CHANNELAAAAAAAAAAAAA", "HANDOVERBBBBBBBBBBBB"};
    QString folder = QString::fromStdString(Home().string());
};

TEST_F(InstanceChannelTest, SecondCopySendsTheHandOverNoticeToTheFirst) {
    InstanceChannel first(names, folder);
    QSignalSpy handOvers(&first, &InstanceChannel::handOverRequested);
    ASSERT_EQ(first.Claim(), InstanceChannel::Role::kFirst);

    InstanceChannel second(names, folder);
    EXPECT_EQ(second.Claim(), InstanceChannel::Role::kSecond);
    EXPECT_TRUE(handOvers.wait(5000));
    EXPECT_EQ(handOvers.count(), 1);
}

// A second copy started with a document ended at once and the running copy never heard of the document.
TEST_F(InstanceChannelTest, SecondCopyHandsItsDocumentOverAsAnAbsolutePath) {
    InstanceChannel first(names, folder);
    QSignalSpy handOvers(&first, &InstanceChannel::handOverRequested);
    QSignalSpy opens(&first, &InstanceChannel::openRequested);
    ASSERT_EQ(first.Claim(), InstanceChannel::Role::kFirst);

    const QString names[] = {QStringLiteral("/tmp/plain.lcx"), QStringLiteral("/tmp/a b\tc\nd%e ü.lcx"),
                             QStringLiteral("relative.lcx")};
    for (const QString& document : names) {
        InstanceChannel second(this->names, folder);
        EXPECT_EQ(second.Claim(document), InstanceChannel::Role::kSecond);
        ASSERT_TRUE(opens.wait(5000)) << document.toStdString();
        EXPECT_EQ(opens.takeFirst().at(0).toString(), QDir::current().absoluteFilePath(document));
    }
    EXPECT_EQ(handOvers.count(), 0);
}

TEST_F(InstanceChannelTest, SocketIsTheUsersAlone) {
    InstanceChannel first(names, folder);
    ASSERT_EQ(first.Claim(), InstanceChannel::Role::kFirst);
    const auto permissions = std::filesystem::status(first.SocketPath().toStdString()).permissions();
    EXPECT_EQ(permissions & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);
}

TEST_F(InstanceChannelTest, AnotherNoticeIsIgnored) {
    InstanceChannel first(names, folder);
    QSignalSpy handOvers(&first, &InstanceChannel::handOverRequested);
    ASSERT_EQ(first.Claim(), InstanceChannel::Role::kFirst);

    InstanceChannel stranger({names.channelName, "SOMETHINGELSE"}, folder);
    EXPECT_EQ(stranger.Claim(), InstanceChannel::Role::kSecond);
    EXPECT_FALSE(handOvers.wait(300));
}

// A copy that crashed leaves its socket file behind, with nobody listening.
TEST_F(InstanceChannelTest, DeadSocketIsReplaced) {
    InstanceChannel probe(names, folder);
    const std::string path = probe.SocketPath().toStdString();
    const int dead = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(dead, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(dead);
    ASSERT_TRUE(std::filesystem::exists(path));

    InstanceChannel first(names, folder);
    QSignalSpy handOvers(&first, &InstanceChannel::handOverRequested);
    EXPECT_EQ(first.Claim(), InstanceChannel::Role::kFirst);
    InstanceChannel second(names, folder);
    EXPECT_EQ(second.Claim(), InstanceChannel::Role::kSecond);
    EXPECT_TRUE(handOvers.wait(5000));
}

TEST_F(InstanceChannelTest, NameFromTheFileStaysInTheRuntimeFolder) {
    InstanceChannel channel({"../../escape/x", "B"}, folder);
    EXPECT_EQ(QFileInfo(channel.SocketPath()).absolutePath(), QDir(folder).absolutePath());
}

}  // namespace
