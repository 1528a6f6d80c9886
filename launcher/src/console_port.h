#pragma once
// The console's serial port: one COM port of the port map, opened raw at
// 115200 8N1 and held exclusively while open. Received bytes arrive on the
// window thread through the event loop, as they come. A line that hangs up
// (the adapter unplugged) is closed at once; the same COM number can be
// opened again once the board is back.
#include <QByteArray>
#include <QObject>
#include <memory>

class QSocketNotifier;

namespace rx041::launcher {

class ConsolePort : public QObject {
  Q_OBJECT
 public:
  explicit ConsolePort(QObject* parent = nullptr);
  ~ConsolePort() override;

  bool isOpen() const { return fd_ >= 0; }
  // The COM number open, or 0.
  int number() const { return number_; }

  // Opens COMn; false when a port is already open or COMn cannot be opened.
  bool open(int comNumber);
  void close();

  // Writes all bytes; false when no port is open or the line refuses them
  // (the port is then closed).
  bool write(const QByteArray& bytes);

 signals:
  void received(const QByteArray& bytes);
  // The line of COMn hung up; the port is closed.
  void lineLost(int comNumber);

 private:
  bool writeAll(const QByteArray& bytes);
  void readAvailable();

  int fd_ = -1;
  int number_ = 0;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace rx041::launcher
