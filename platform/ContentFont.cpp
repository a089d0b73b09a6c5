#include "ContentFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

void AdjustContentFont(QWidget& textBox)
{
    const QString family = QStringLiteral("Calibri");
    QFont font = textBox.font();
    if (font.family() == family || !QFontDatabase::families().contains(family)) {
        return;
    }
    font.setFamily(family);
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() + 2);
    } else if (font.pixelSize() > 0) {
        // Two points at the screen's 96 dots per inch.
        font.setPixelSize(font.pixelSize() + 3);
    }
    textBox.setFont(font);
}
