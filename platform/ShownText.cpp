#include "ShownText.h"

#include <algorithm>

namespace {

constexpr QChar Ellipsis(0x2026);
constexpr QChar WordJoiner(0x2060);

// Decodes no more of the bytes than can make maxLength characters (one takes at most four bytes),
// so that a huge text costs no more than a short one; `cut` tells whether bytes were left out.
QString DecodedStart(std::string_view bytes, int maxLength, bool& cut)
{
    const std::size_t enough = static_cast<std::size_t>(maxLength) * 4 + 4;
    cut = bytes.size() > enough;
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(std::min(bytes.size(), enough)));
}

QString CutTo(QString text, int maxLength, bool cut)
{
    if (text.size() > maxLength) {
        qsizetype end = maxLength;
        if (end > 0 && text.at(end - 1).isHighSurrogate()) {
            --end;
        }
        text.truncate(end);
        cut = true;
    }
    if (cut) {
        text += Ellipsis;
    }
    return text;
}

} // namespace

QString ShownLine(std::string_view bytes, int maxLength)
{
    bool cut = false;
    QString text = DecodedStart(bytes, maxLength, cut);
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return CutTo(std::move(text), maxLength, cut);
}

QString ShownLines(std::string_view bytes, int maxLength, int maxLines)
{
    bool cut = false;
    QString text = DecodedStart(bytes, maxLength, cut);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    qsizetype end = -1;
    for (int line = 0; line < maxLines; ++line) {
        end = text.indexOf(QLatin1Char('\n'), end + 1);
        if (end < 0) {
            break;
        }
    }
    // A break after the last line allowed: the lines beyond it are left out.
    if (end >= 0 && end + 1 < text.size()) {
        text.truncate(end + 1);
        cut = true;
    }
    return CutTo(std::move(text), maxLength, cut);
}

QString WithoutMarkup(const QString& text)
{
    QString safe;
    safe.reserve(text.size() + 8);
    for (const QChar c : text) {
        safe += c;
        if (c == QLatin1Char('<') || c == QLatin1Char('&')) {
            safe += WordJoiner;
        }
    }
    return safe;
}
