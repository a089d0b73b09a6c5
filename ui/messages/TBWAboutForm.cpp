#include "TBWAboutForm.h"

#include "AppContext.h"
#include "Artwork.h"
#include "ErrorGuard.h"
#include "Shell.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* MakeLinkLabel(const QString& objectName, const QString& text, const QString& address, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), text.toHtmlEscaped()));
    label->setTextFormat(Qt::RichText);
    // The link opens through our own handler; Tab reaches it and Enter follows it.
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(false);
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(address);
    return label;
}

} // namespace

TBWAboutForm::Pages TBWAboutForm::BuiltPages()
{
    return {QStringLiteral(BW_HOMEPAGE_URL), QStringLiteral(BW_SUPPORT_URL)};
}

TBWAboutForm::TBWAboutForm(AppContext& context, QWidget* parent, const Pages& pages)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("aboutForm"));
    // Modal to the window it belongs to only: the reminder pop-ups, which belong to none, stay usable.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("About"));

    auto* emblemLabel = new QLabel(this);
    emblemLabel->setObjectName(QStringLiteral("emblemLabel"));
    emblemLabel->setPixmap(ProgramIcon().pixmap(48, 48));
    emblemLabel->setFixedSize(48, 48);

    auto* titleLabel = new QLabel(tr("Bellwick"), this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleLabel->setFont(titleFont);

    auto* versionLabel = new QLabel(tr("Version %1").arg(QStringLiteral(BW_VERSION)), this);
    versionLabel->setObjectName(QStringLiteral("versionLabel"));
    auto* noticeLabel = new QLabel(tr("Reminders for you and your team, from the notification area."), this);
    noticeLabel->setObjectName(QStringLiteral("noticeLabel"));
    QLabel* webLinkLabel =
        MakeLinkLabel(QStringLiteral("webLinkLabel"), QUrl(pages.Product).host(), pages.Product, this);
    auto* freeLabel = new QLabel(tr("This product is free to use and distribute!"), this);
    freeLabel->setObjectName(QStringLiteral("freeLabel"));
    QLabel* supportLinkLabel =
        MakeLinkLabel(QStringLiteral("supportLinkLabel"), tr("You can support this project"), pages.Support, this);
    // A link to nowhere, or to a made-up address, is worse than none.
    webLinkLabel->setVisible(!pages.Product.isEmpty());
    supportLinkLabel->setVisible(!pages.Support.isEmpty());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->setCenterButtons(true);
    QPushButton* okButton = buttons->button(QDialogButtonBox::Ok);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);

    auto* heading = new QGridLayout;
    heading->setHorizontalSpacing(20);
    heading->setVerticalSpacing(4);
    heading->addWidget(emblemLabel, 0, 0, 3, 1, Qt::AlignTop);
    heading->addWidget(titleLabel, 0, 1);
    heading->addWidget(versionLabel, 1, 1);
    heading->addWidget(noticeLabel, 2, 1);
    heading->addWidget(webLinkLabel, 3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->addLayout(heading);
    layout->addSpacing(14);
    layout->addWidget(freeLabel);
    layout->addWidget(supportLinkLabel);
    layout->addSpacing(10);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(webLinkLabel, &QLabel::linkActivated, this, &TBWAboutForm::OpenPage);
    connect(supportLinkLabel, &QLabel::linkActivated, this, &TBWAboutForm::OpenPage);
}

void TBWAboutForm::OpenPage(const QString& address)
{
    RunGuarded(m_context.dialogs, this, [&] { m_context.shell.Open(address, QString()); });
}
