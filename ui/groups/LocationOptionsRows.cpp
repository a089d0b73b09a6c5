#include "LocationOptionsRows.h"

#include "TBWListLocation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

std::uint8_t KindOf(const std::string& location)
{
    TBWListLocation probe;
    probe.Location = location;
    probe.DetectLocationKind();
    return probe.LocationKind;
}

} // namespace

LocationOptionsRows::LocationOptionsRows(QFormLayout& form, QWidget& owner, const GroupDialogHooks& hooks)
    : QObject(&owner), m_form(form), m_owner(owner), m_hooks(hooks)
{
    m_securityRow = new QWidget(&owner);
    m_tls = new QComboBox(m_securityRow);
    m_tls->setObjectName(QStringLiteral("tlsComboBox"));
    m_tls->addItems({tr("None"), tr("TLS (explicit, AUTH TLS)"), tr("TLS (implicit)")});
    m_tls->setAccessibleName(tr("FTP security"));
    m_passive = new QCheckBox(tr("Pass&ive mode"), m_securityRow);
    m_passive->setObjectName(QStringLiteral("passiveCheckBox"));
    m_passive->setToolTip(tr("The server opens the data connections: needed behind most routers and firewalls"));
    auto* securityLayout = new QHBoxLayout(m_securityRow);
    securityLayout->setContentsMargins(0, 0, 0, 0);
    securityLayout->addWidget(m_tls, 1);
    securityLayout->addWidget(m_passive);
    m_securityLabel = new QLabel(tr("Securit&y:"), &owner);
    m_securityLabel->setBuddy(m_tls);
    m_form.addRow(m_securityLabel, m_securityRow);

    m_caRow = MakeFileRow(m_caFile, "caFile", tr("Certificate authority"));
    m_caFile->setPlaceholderText(tr("The system's trusted authorities"));
    m_caFile->setAccessibleName(tr("Certificate authority file"));
    m_caLabel = new QLabel(tr("C&A file:"), &owner);
    m_caLabel->setBuddy(m_caFile);
    m_form.addRow(m_caLabel, m_caRow);

    m_keyRow = MakeFileRow(m_sshKey, "sshKey", tr("SSH key"));
    m_sshKey->setPlaceholderText(tr("SSH agent, ~/.ssh/id_ed25519, id_ecdsa or id_rsa"));
    m_sshKey->setAccessibleName(tr("SSH key file"));
    m_keyLabel = new QLabel(tr("&Key file:"), &owner);
    m_keyLabel->setBuddy(m_sshKey);
    m_form.addRow(m_keyLabel, m_keyRow);

    m_plainHttp = new QCheckBox(tr("Se&nd the password over plain HTTP, unencrypted"), &owner);
    m_plainHttp->setObjectName(QStringLiteral("plainHttpCheckBox"));
    m_plainHttp->setToolTip(tr("Anyone on the way between you and the server can read it. Use an https:// "
                               "address where the server offers one."));
    m_form.addRow(m_plainHttp);

    connect(m_tls, &QComboBox::currentIndexChanged, this, &LocationOptionsRows::Update);
    connect(m_sshKey, &QLineEdit::textChanged, this, &LocationOptionsRows::LayoutChanged);
    Update();
}

QWidget* LocationOptionsRows::MakeFileRow(QLineEdit*& edit, const char* name, const QString& title)
{
    auto* row = new QWidget(&m_owner);
    edit = new QLineEdit(row);
    edit->setObjectName(QLatin1String(name) + QStringLiteral("Edit"));
    auto* browse = new QPushButton(tr("Browse..."), row);
    browse->setObjectName(QLatin1String(name) + QStringLiteral("Button"));
    browse->setAutoDefault(false);
    browse->setAccessibleName(tr("Choose the %1 file").arg(title));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(browse);
    QLineEdit* target = edit;
    connect(browse, &QPushButton::clicked, this, [this, target, title] {
        const QString chosen = m_hooks.OpenFileName(&m_owner, title, QFileInfo(target->text()).path());
        if (!chosen.isEmpty()) {
            target->setText(chosen);
        }
    });
    return row;
}

void LocationOptionsRows::ShowFor(const QString& location, bool hasAccount)
{
    m_location = location;
    m_hasAccount = hasAccount;
    Update();
}

void LocationOptionsRows::Update()
{
    const std::string location = m_location.toLocal8Bit().toStdString();
    const std::uint8_t kind = KindOf(location);
    // An ftps:// address asks for implicit TLS itself; the choice made for ftp:// comes back when the
    // address does.
    const bool implicitByAddress = location.starts_with("ftps://");
    if (implicitByAddress != !m_tls->isEnabled()) {
        const QSignalBlocker quiet(m_tls);
        if (implicitByAddress) {
            m_chosenTls = m_tls->currentIndex();
            m_tls->setCurrentIndex(static_cast<int>(FtpSecurity::Implicit));
        } else {
            m_tls->setCurrentIndex(m_chosenTls);
        }
        m_tls->setEnabled(!implicitByAddress);
    }
    const bool ftp = kind == LocationFtp;
    const bool tls = ftp && m_tls->currentIndex() != static_cast<int>(FtpSecurity::None);
    const bool https = kind == LocationHttp && location.starts_with("https://");
    m_form.setRowVisible(m_securityRow, ftp);
    m_form.setRowVisible(m_caRow, tls || https);
    m_form.setRowVisible(m_keyRow, kind == LocationSftp);
    m_form.setRowVisible(m_plainHttp, kind == LocationHttp && !https && m_hasAccount);
    Q_EMIT LayoutChanged();
}

void LocationOptionsRows::SetOptions(const GroupOptions& options)
{
    m_chosenTls = static_cast<int>(options.Tls);
    if (m_tls->isEnabled()) {
        m_tls->setCurrentIndex(m_chosenTls);
    }
    m_passive->setChecked(options.Passive);
    // A long path shows from its start, where it says whose it is.
    m_caFile->setText(QString::fromLocal8Bit(options.CaFile));
    m_caFile->setCursorPosition(0);
    m_sshKey->setText(QString::fromLocal8Bit(options.SshKey));
    m_sshKey->setCursorPosition(0);
    m_plainHttp->setChecked(options.PlainHttpLogin);
    Update();
}

GroupOptions LocationOptionsRows::Options(const std::string& location) const
{
    GroupOptions options;
    const std::uint8_t kind = KindOf(location);
    if (kind == LocationFtp) {
        options.Tls =
            location.starts_with("ftps://") ? FtpSecurity::None : static_cast<FtpSecurity>(m_tls->currentIndex());
        options.Passive = m_passive->isChecked();
    }
    const bool tls = kind == LocationFtp && (options.Tls != FtpSecurity::None || location.starts_with("ftps://"));
    if (tls || (kind == LocationHttp && location.starts_with("https://"))) {
        options.CaFile = m_caFile->text().trimmed().toLocal8Bit().toStdString();
    }
    if (kind == LocationSftp) {
        options.SshKey = m_sshKey->text().trimmed().toLocal8Bit().toStdString();
    }
    if (kind == LocationHttp && !location.starts_with("https://") && m_hasAccount) {
        options.PlainHttpLogin = m_plainHttp->isChecked();
    }
    return options;
}

bool LocationOptionsRows::UsesKeyFile() const
{
    return m_form.isRowVisible(m_keyRow) && !m_sshKey->text().trimmed().isEmpty();
}

QList<QLabel*> LocationOptionsRows::Labels() const
{
    return {m_securityLabel, m_caLabel, m_keyLabel};
}

QWidget* LocationOptionsRows::LastField() const
{
    return m_plainHttp;
}

void LocationOptionsRows::ChainTabOrder(QWidget* before) const
{
    const QList<QWidget*> chain = {before,
                                   m_tls,
                                   m_passive,
                                   m_caFile,
                                   m_caRow->findChild<QPushButton*>(),
                                   m_sshKey,
                                   m_keyRow->findChild<QPushButton*>(),
                                   m_plainHttp};
    for (qsizetype i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}
