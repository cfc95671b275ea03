// A frameless helper that only records what the title bar asks of it, for
// platforms (and tests) without a native one.
#ifndef FAKEFRAMELESSHELPER_H
#define FAKEFRAMELESSHELPER_H

#include "tframelesshelper.h"
#include "tframelesswindowbar.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class FakeFramelessHelper : public QObject, public TFramelessHelper
{
public:
    explicit FakeFramelessHelper(QObject *iParent)
        : QObject(iParent)
        , answer(answerByDefault)
    {
        ++alive;
    }
    ~FakeFramelessHelper() override { --alive; }

    static TFramelessHelper *make(TFramelessWindowBar *iBar) { return new FakeFramelessHelper(iBar); }

    void attachHostWindow(QWidget *iHost) override
    {
        host = iHost;
        ++attaches;
    }
    bool isHelperActive() const override { return active; }
    void setHelperActive(bool iActive) override { active = iActive; }
    bool handleNativeMessage(NativeMessage *, long *iResult) override
    {
        ++messages;
        if (answer)
            *iResult = 42;
        return answer;
    }

    static inline int alive = 0;
    // On X every event of the window passes through the helper: a helper that
    // claims them all would swallow exposure and input.
    static inline bool answerByDefault = true;
    QPointer<QWidget> host;
    int attaches = 0;
    int messages = 0;
    bool active = true;
    bool answer;
};

// Installs the fake factory for one scope.
struct FakeHelperScope
{
    FakeHelperScope() { TFramelessWindowBar::setHelperFactory(&FakeFramelessHelper::make); }
    ~FakeHelperScope() { TFramelessWindowBar::setHelperFactory(nullptr); }
};

#endif // FAKEFRAMELESSHELPER_H
