#include "FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
constexpr qint64 ChunkSize = 64 * 1024;

QString PathFromLocal8Bit(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}
} // namespace

bool CopyFileReplacing(const std::string& source, const std::string& target)
{
    QFile input(PathFromLocal8Bit(source));
    if (!input.open(QIODevice::ReadOnly)) {
        return false;
    }
    QSaveFile output(PathFromLocal8Bit(target));
    output.setDirectWriteFallback(false);
    if (!output.open(QIODevice::WriteOnly)) {
        return false;
    }
    QByteArray chunk;
    do {
        chunk = input.read(ChunkSize);
        if (input.error() != QFileDevice::NoError || output.write(chunk) != chunk.size()) {
            output.cancelWriting();
            return false;
        }
    } while (!chunk.isEmpty());
    return output.commit();
}

bool IsMissingFile(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    const QFileInfo file(PathFromLocal8Bit(path));
    return !file.exists() && !file.isSymLink() && file.dir().exists();
}
