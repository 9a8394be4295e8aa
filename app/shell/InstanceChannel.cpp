// The installation id and the single-instance channel.
#include "InstanceChannel.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <random>

#include "AtomicFile.h"

namespace {

constexpr std::size_t kIdFileBytes = 2 * kInstallationBlockBytes;
constexpr std::uintmax_t kMaxIdFileBytes = 4096;
constexpr int kMaxDraw = 32767;
constexpr int kSendTimeoutMs = 3000;
// The name, a tab and a path of at most 4096 bytes, each byte percent-encoded at worst.
constexpr qint64 kMaxNoticeBytes = 256 + 3 * 4096;
constexpr char kPathSeparator = '\t';

std::string MakeIdFileContent() {
    std::random_device seed;
    std::mt19937 generator(seed());
    std::uniform_int_distribution<int> draw(0, kMaxDraw);
    std::string content;
    for (std::size_t index = 0; index < kIdFileBytes; ++index) {
        content += InstallationCharacter(draw(generator));
    }
    return content;
}

// A name taken from a file that is not the program's own must not lead out of the runtime folder.
QString SocketFileName(const std::string& name) {
    QString fileName = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    fileName.replace(QChar(0), QLatin1Char('_'));
    return fileName.isEmpty() ? QStringLiteral("_") : fileName;
}

QString RuntimeFolder(const QString& given) {
    if (!given.isEmpty()) {
        return given;
    }
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace

char InstallationCharacter(int draw) {
    const int index = static_cast<int>(static_cast<double>(draw) * 35.0 / kMaxDraw);
    if (index >= 1 && index <= 9) {
        return static_cast<char>('0' + index);
    }
    if (index >= 10 && index <= 32) {
        return static_cast<char>('A' + (index - 10));
    }
    switch (index) {
        case 34:
            return 'Y';
        case 35:
            return 'Z';
        default:
            return 'X';  // 0 and 33
    }
}

InstallationNames InstallationId(const std::filesystem::path& programFolder) {
    InstallationNames names;
    if (programFolder.empty()) {
        return names;
    }
    const std::filesystem::path file = programFolder / "softcheck";
    platform::LimitedRead read = platform::ReadWholeFileWithin(file, kMaxIdFileBytes);
    if (read.status != platform::ReadStatus::kRead || read.bytes.size() <= kInstallationBlockBytes) {
        platform::WriteFileAtomically(file, MakeIdFileContent());
        read = platform::ReadWholeFileWithin(file, kMaxIdFileBytes);
    }
    if (read.status != platform::ReadStatus::kRead || read.bytes.empty()) {
        return names;
    }
    const std::string content(read.bytes.begin(), read.bytes.end());
    names.channelName = content.substr(0, kInstallationBlockBytes);
    names.handOverName = content.size() > kInstallationBlockBytes
                             ? content.substr(kInstallationBlockBytes, kInstallationBlockBytes)
                             : std::string();
    return names;
}

InstanceChannel::InstanceChannel(InstallationNames names, QString runtimeFolder, QObject* parent)
    : QObject(parent),
      names_(std::move(names)),
      socketPath_(QDir(RuntimeFolder(runtimeFolder)).filePath(SocketFileName(names_.channelName))) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceChannel::OnNewConnection);
}

// A listening copy is looked for first: a user-only server is moved into place by a rename, which
// would take the name from a running copy rather than fail.
InstanceChannel::Role InstanceChannel::Claim(const QString& document) {
    if (SendHandOver(document)) {
        return Role::kSecond;
    }
    // Nobody answers: no socket, or one left by a copy that ended without closing it.
    QLocalServer::removeServer(socketPath_);
    return Listen() ? Role::kFirst : Role::kFailed;
}

bool InstanceChannel::Listen() {
    return server_.listen(socketPath_);
}

bool InstanceChannel::SendHandOver(const QString& document) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kSendTimeoutMs)) {
        return false;
    }
    QByteArray notice = QByteArray::fromStdString(names_.handOverName);
    if (!document.isEmpty()) {
        // The running copy may work in another folder: the path goes absolute, and encoded so that no
        // byte of it ends the line.
        notice += kPathSeparator;
        notice += QDir::current().absoluteFilePath(document).toUtf8().toPercentEncoding();
    }
    socket.write(notice + '\n');
    const bool sent = socket.waitForBytesWritten(kSendTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

// The notice is one line; anything else on the socket is not from a copy of this installation.
void InstanceChannel::OnNewConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        const auto readNotice = [this, socket] {
            if (socket->bytesAvailable() > kMaxNoticeBytes) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine()) {
                return;
            }
            const QByteArray line = socket->readLine().chopped(1);
            socket->disconnectFromServer();
            const qsizetype separator = line.indexOf(kPathSeparator);
            if ((separator < 0 ? line : line.left(separator)).toStdString() != names_.handOverName) {
                return;
            }
            if (separator < 0) {
                Q_EMIT handOverRequested();
            } else {
                Q_EMIT openRequested(
                    QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(separator + 1))));
            }
        };
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, readNotice);
        readNotice();
    }
}
