#pragma once

#include <QDialog>

struct AppContext;

// The about dialog: the program's name, its package's version, a notice and the links to the
// product's web page and to the page for supporting it, where the build names them.
class TBWAboutForm : public QDialog
{
    Q_OBJECT

public:
    struct Pages
    {
        QString Product;
        QString Support;
    };
    // The pages the build was given; none unless it was given them.
    [[nodiscard]] static Pages BuiltPages();

    explicit TBWAboutForm(AppContext& context, QWidget* parent = nullptr, const Pages& pages = BuiltPages());

private:
    void OpenPage(const QString& address);

    AppContext& m_context;
};
