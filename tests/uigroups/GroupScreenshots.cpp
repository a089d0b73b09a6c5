// Renders the group dialogs with sample groups into PNG files, to look at the layouts without a
// display: uigroups_screenshots <folder>
#include "GroupList.h"
#include "TBWGroupEditForm.h"
#include "TBWGroupSelectForm.h"
#include "TBWGroupsForm.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QTextStream>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

class NoFiles : public GroupFileService
{
public:
    FetchOutcome FetchGroupFile(const TBWListLocation&) override
    {
        if (DuringFetch) {
            DuringFetch();
        }
        return FetchOutcome::Absent;
    }
    void UploadGroupFile(const TBWListLocation&) override {}
    std::filesystem::path LocalCopyPath(const TBWListLocation& group) const override { return group.Name; }

    std::function<void()> DuringFetch;
};

bool Save(QWidget& window, const QDir& folder, const QString& fileName)
{
    window.show();
    QApplication::processEvents();
    const bool saved = window.grab().save(folder.filePath(fileName));
    window.hide();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: uigroups_screenshots <folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    TBWGroupList groups;
    for (const auto& [name, location, enabled] :
         {std::tuple{"Sales", "ftp://files.example.org/groups/sales.dat", true},
          std::tuple{"Development", "/srv/share/dev.dat", false},
          std::tuple{"Operations", "https://intranet.example.org/ops.dat", true}}) {
        auto group = std::make_unique<TBWListLocation>();
        group->Name = name;
        group->Location = location;
        group->Password = "secret";
        group->Enabled = enabled;
        group->DetectLocationKind();
        groups.push_back(std::move(group));
    }

    NoFiles files;
    GroupDialogHooks quiet;
    quiet.ShowMessage = [](QWidget*, const GroupDialogHooks::Message&) {};
    TBWGroupsForm groupsForm(files, quiet);
    groupsForm.LoadGroups(groups);
    auto* groupList = groupsForm.findChild<QListWidget*>(QStringLiteral("groupList"));
    groupList->setCurrentRow(0);

    TBWGroupEditForm& editForm = groupsForm.EditForm();
    editForm.setWindowTitle(QObject::tr("Edit group"));
    groups[0]->FtpUser = "anna";
    groups[0]->FtpPassword = "ftp-secret";
    editForm.SetFields(*groups[0]);

    TBWGroupSelectForm selectForm{GroupDialogHooks{}};
    selectForm.LoadGroups(groups);
    selectForm.findChild<QListWidget*>(QStringLiteral("groupList"))->item(2)->setSelected(true);

    bool saved = Save(groupsForm, folder, QStringLiteral("groups.png")) &&
                 Save(editForm, folder, QStringLiteral("group-editor.png")) &&
                 Save(selectForm, folder, QStringLiteral("select-groups.png"));

    // The groups dialog once more, as it looks while Test waits for a group file.
    files.DuringFetch = [&] {
        saved = saved && groupsForm.grab().save(folder.filePath(QStringLiteral("groups-fetching.png")));
    };
    groupsForm.show();
    QApplication::processEvents();
    groupList->setCurrentRow(1);
    groupsForm.TestGroup();
    return saved ? 0 : 1;
}
