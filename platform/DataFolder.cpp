#include "DataFolder.h"

#include "DataFolderLayout.h"

#include <QDir>
#include <QFileDevice>
#include <QStandardPaths>

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

void CreateFolder(const QString& path)
{
    QDir folder(path);
    if (folder.exists()) {
        return;
    }
    // The levels above ours (for example ~/.local/share) are the desktop's and keep its defaults.
    QDir parent = QFileInfo(folder.absolutePath()).dir();
    if (!parent.exists()) {
        parent.mkpath(QStringLiteral("."));
    }
    parent.mkdir(folder.dirName(), OwnerOnly);
}

} // namespace

QString GetSpecialFolderPath(SpecialFolder folder)
{
    switch (folder) {
    case SpecialFolder::AppData: {
#ifdef Q_OS_WIN
        // The roaming application-data folder, as the shell reports it through the environment.
        QString path = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
#else
        QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#endif
        while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) {
            path.chop(1);
        }
        return path;
    }
    }
    return {};
}

DataFolder::DataFolder(const std::filesystem::path& root) : m_root(root)
{
    if (!m_root.empty() && !m_root.native().ends_with(std::filesystem::path::preferred_separator)) {
        m_root += std::filesystem::path::preferred_separator;
    }
}

DataFolder DataFolder::ForCurrentUser()
{
    QString base = GetSpecialFolderPath(SpecialFolder::AppData);
    if (base.isEmpty()) {
        base = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return DataFolder(std::filesystem::path((base + QStringLiteral("/Bellwick")).toStdU16String()));
}

void DataFolder::CreateTree() const
{
    const QString root = QString::fromStdU16String(m_root.u16string());
    CreateFolder(root);
    for (const std::string_view name : DataFolderLayout::StartFolders) {
        CreateFolder(root + QLatin1String(name));
    }
}
