#include "ResourceFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

namespace {

// Off unless asked for (QT_LOGGING_RULES="bellwick.resources.info=true"): a packager's check that an
// installed program looks where the package put its files.
Q_LOGGING_CATEGORY(ResourcesLog, "bellwick.resources", QtWarningMsg)

} // namespace

ResourceFolders::ResourceFolders(const QString& programFolder)
{
    const QDir program(programFolder);
    const QString shared = QDir::cleanPath(program.filePath(QStringLiteral("../share/bellwick")));
    if (QFileInfo(shared).isDir()) {
        m_help = shared + QStringLiteral("/help");
        m_sounds = shared + QStringLiteral("/sounds");
    } else {
        m_help = QDir::cleanPath(program.filePath(QStringLiteral("help")));
        m_sounds = QDir::cleanPath(program.absolutePath());
    }
    qCInfo(ResourcesLog).noquote() << "help pages in" << m_help << "- alert sounds in" << m_sounds;
}

bool ResourceFolders::Complete() const
{
    return QFileInfo(QDir(m_help).filePath(QStringLiteral("benefits.htm"))).isFile() &&
           QFileInfo(QDir(m_sounds).filePath(QStringLiteral("s1.wav"))).isFile();
}
