#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace lumivo::app {

namespace {

constexpr char kMutexName[] = "KVL_Lumivo 2 #--##-!%!-##--# 2 ovimuL_LVK";
constexpr char kSeparator = '\0';  // no path holds it

QString SafeFileName(const QString& name) {
  QString safe;
  for (const QChar c : name) safe += (c.isLetterOrNumber() || c == '_' || c == '-') ? c : QChar('_');
  return safe;
}

}  // namespace

QString InstanceFolder() {
  QString folder = qEnvironmentVariable("LUMIVO_CONFIG_DIR");
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  QDir().mkpath(folder);
  return folder.endsWith('/') ? folder : folder + '/';
}

QString InstanceLockName() { return SafeFileName(kMutexName) + ".lock"; }

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent),
      // A plain name: Qt keeps the socket in the temporary folder, whose path is short.
      serverName_("lumivo-" + QString::fromLatin1(QCryptographicHash::hash(QDir(folder).absolutePath().toUtf8(),
                                                                           QCryptographicHash::Sha1)
                                                      .toHex()
                                                      .left(16))),
      lock_(folder + InstanceLockName()) {
  lock_.setStaleLockTime(0);  // only a lock whose process is gone is stale
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Claim() { return lock_.tryLock(0); }

bool SingleInstance::Listen() {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(serverName_);  // left over by a first instance that crashed
  if (!server_->listen(serverName_)) return false;
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      auto buffer = std::make_shared<QByteArray>();
      connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer] { buffer->append(socket->readAll()); });
      connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
        buffer->append(socket->readAll());
        socket->deleteLater();
        QStringList names;
        for (const QByteArray& name : buffer->split(kSeparator))
          if (!name.isEmpty()) names.push_back(QString::fromUtf8(name));
        if (!names.isEmpty()) emit namesReceived(names);
      });
    }
  });
  return true;
}

bool SingleInstance::HandOver(const QStringList& names, int timeoutMs) const {
  QByteArray message;
  for (const QString& name : names) message += name.toUtf8() + kSeparator;
  QElapsedTimer timer;
  timer.start();
  // The first instance may still be starting and not yet listening.
  while (timer.elapsed() < timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (socket.waitForConnected(500)) {
      socket.write(message);
      bool written = socket.waitForBytesWritten(timeoutMs);
      while (written && socket.bytesToWrite() > 0) written = socket.waitForBytesWritten(timeoutMs);
      socket.disconnectFromServer();
      if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
      return written;
    }
    QThread::msleep(100);
  }
  return false;
}

QStringList ExistingNames(const QStringList& arguments) {
  QStringList names;
  for (const QString& argument : arguments) {
    const QFileInfo info(argument);
    if (info.exists()) names.push_back(QDir::cleanPath(info.absoluteFilePath()));
  }
  return names;
}

}  // namespace lumivo::app
