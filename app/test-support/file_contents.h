#pragma once
// Files as the profile tests see them: whole contents, or "<missing>".
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace rx041::test {

inline QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace rx041::test
