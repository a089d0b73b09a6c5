#pragma once

#include <QDialog>

struct AppContext;

// The about dialog: the program's name, version, a notice and two links to web pages.
class TBWAboutForm : public QDialog
{
    Q_OBJECT

public:
    explicit TBWAboutForm(AppContext& context, QWidget* parent = nullptr);

    static inline const QString ProductPageAddress = QStringLiteral("https://bellwick.example.org/");
    static inline const QString SupportPageAddress = QStringLiteral("https://bellwick.example.org/support");

private:
    void OpenPage(const QString& address);

    AppContext& m_context;
};
