// One running copy per user and installation. The installation's two names come from "softcheck" in the
// program folder; the first copy listens on a user-only local socket named by the first, and a second
// copy sends it the second name, which asks the running copy to take the hand-over files, and quits. A
// second copy started with a document sends the document's path with the name: the running copy opens
// it instead.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <filesystem>
#include <string>

struct InstallationNames {
    // Defaults for a program folder where "softcheck" cannot be read or made.
    std::string channelName = "0xbe8e2ce1, 0xdqb6, 0x11d6, 0xad, 0xd1, 0x01, 0xa0, 0x4d, 0x53, 0xf6, 0xe6";
    std::string handOverName = "{AD12121AA4-4925-41cb-8F59-ABAAAFCEF797}";
};

// Reads "softcheck" in the folder, or makes it first when it is missing or 20 bytes or shorter: two
// blocks of 20 characters from 'A'..'Z' and '1'..'9'. Block 1 names the channel, block 2 the hand-over
// notice; a file of 21 to 39 bytes gives shorter names, taken as they are. The defaults stay when there
// is no folder or no file can be read.
InstallationNames InstallationId(const std::filesystem::path& programFolder);
constexpr std::size_t kInstallationBlockBytes = 20;
// One character of a block, for a draw 0..32767.
char InstallationCharacter(int draw);

class InstanceChannel : public QObject {
    Q_OBJECT

  public:
    enum class Role {
        kFirst,   // this copy listens: it is the one that runs
        kSecond,  // another copy runs and has been sent the hand-over notice; this one should quit
        kFailed,  // neither listening nor reaching a running copy worked
    };

    // The socket lives in `runtimeFolder`; empty means the user's runtime folder.
    explicit InstanceChannel(InstallationNames names, QString runtimeFolder = {}, QObject* parent = nullptr);

    // Sends the hand-over notice, with the absolute path of `document` when one is given, to the copy that
    // listens; when none does, listens itself, replacing a socket that no copy answers on any more.
    Role Claim(const QString& document = {});
    QString SocketPath() const { return socketPath_; }

  Q_SIGNALS:
    // A second copy sent the hand-over notice.
    void handOverRequested();
    // A second copy was started with this document.
    void openRequested(const QString& document);

  private:
    bool Listen();
    bool SendHandOver(const QString& document);
    void OnNewConnection();

    InstallationNames names_;
    QString socketPath_;
    QLocalServer server_;
};
