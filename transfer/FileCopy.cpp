#include "FileCopy.h"

#include "AtomicFileWriter.h"
#include "BWError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr qint64 ChunkSize = 64 * 1024;

QString PathFromLocal8Bit(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}
} // namespace

bool CopyFileReplacing(const std::string& source, const std::string& target, bool forOthers)
{
    QFile input(PathFromLocal8Bit(source));
    if (!input.open(QIODevice::ReadOnly)) {
        return false;
    }
    try {
        AtomicFileWriter output(target,
                                forOthers ? AtomicFileWriter::NewFile::Shared : AtomicFileWriter::NewFile::Private);
        for (;;) {
            const QByteArray chunk = input.read(ChunkSize);
            if (input.error() != QFileDevice::NoError) {
                return false;
            }
            if (chunk.isEmpty()) {
                break;
            }
            output.Write(std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())));
        }
        output.CommitUnlessSame();
        return true;
    } catch (const EBWError&) {
        return false;
    }
}

bool IsMissingFile(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    const QFileInfo file(PathFromLocal8Bit(path));
    return !file.exists() && !file.isSymLink() && file.dir().exists();
}
