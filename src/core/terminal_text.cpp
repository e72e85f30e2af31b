#include "core/terminal_text.h"

#include <utility>

namespace tervix::core {

QString TerminalTextFilter::feed(QStringView piece)
{
    QString text = std::exchange(m_held, QString());
    text += piece;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r')
            continue;
        if (c == QChar(0x1b)) {
            if (i + 1 == text.size()) {
                m_held = text.mid(i);
                break;
            }
            if (text.at(i + 1) == u'[') {
                qsizetype j = i + 2;
                while (j < text.size() && (text.at(j).isDigit() || text.at(j) == u';'))
                    ++j;
                if (j == text.size()) {
                    m_held = text.mid(i);
                    break;
                }
                i = j; // the final letter goes too
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

} // namespace tervix::core
