#pragma once

#include <QList>
#include <QUrl>

namespace tervix::ui {

// Opening a file or address with the system's handler goes through one
// service, as modal boxes do: the application hands the URL to the desktop,
// tests install a recorder (the offscreen platform has no desktop to hand it
// to, and a test must never start a browser).
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;

    // True when the handler took the URL.
    virtual bool open(const QUrl &url) = 0;

    // The service in use: the desktop's handler unless another is installed;
    // installing nullptr puts the desktop's back.
    static UrlOpener &instance();
    static void install(UrlOpener *opener);
};

// Records every URL it is asked to open and answers as told (taken by default).
class RecordingUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl &url) override
    {
        m_opened.append(url);
        return m_answer;
    }

    void setAnswer(bool taken) { m_answer = taken; }
    const QList<QUrl> &opened() const { return m_opened; }
    void clear() { m_opened.clear(); }

private:
    QList<QUrl> m_opened;
    bool m_answer = true;
};

} // namespace tervix::ui
