#ifndef TMSGBARINFO_H
#define TMSGBARINFO_H

#include "vekfoundationcore_export.h"

#include <memory>

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

class TMsgBarInfoPrivate;

/*!
 * One message for a message bar: kind, text, remark, progress, delays in
 * milliseconds, and whether it can be closed or cancelled, with or without a
 * mask. Every property lives in one variant map under a fixed key.
 */
class VEKFOUNDATIONCORE_EXPORT TMsgBarInfo : public QObject
{
    Q_OBJECT
public:
    enum IconType { Loading = 0, Progress = 1, Info = 2, Ok = 3, Error = 4, Warn = 5 };
    Q_ENUM(IconType)

    explicit TMsgBarInfo(QObject *iParent = nullptr);
    explicit TMsgBarInfo(const QVariantMap &iVarMap, QObject *iParent = nullptr);
    //! Same parent as the other record, copy of its map.
    TMsgBarInfo(const TMsgBarInfo &iOther);
    TMsgBarInfo &operator=(const TMsgBarInfo &iOther);
    ~TMsgBarInfo() override;

    static TMsgBarInfo LoadingMsg(const QString &iTextStr, const QString &iRemarkStr = QString(), int iPercentInt = 0);
    static TMsgBarInfo StartMsg(int iMsInt, const QString &iTextStr, const QString &iRemarkStr = QString());
    static TMsgBarInfo OkMsg(int iMsInt, const QString &iTextStr, const QString &iRemarkStr = QString());
    static TMsgBarInfo WarningMsg(const QString &iTextStr, const QString &iRemarkStr = QString(), int iMsInt = 0);
    static TMsgBarInfo ErrorMsg(const QString &iTextStr, const QString &iRemarkStr = QString(), int iMsInt = 0);

public Q_SLOTS:
    /*! Empties the record. */
    void clear();
    /*! A copy of the record's map. */
    QVariantMap toVariantMap() const;
    /*! Replaces the record's map whole. */
    void setVariantMap(const QVariantMap &iVarMap);
    /*! The kind, read from the stored type word in any case; Loading when missing or unknown. */
    TMsgBarInfo::IconType iconType() const;
    /*! The stored type word as it stands. */
    QString iconTypeName() const;
    /*! Stores the type word of a kind; values outside the kinds change nothing. */
    void setIconType(TMsgBarInfo::IconType iType);
    /*! The message text. */
    QString text() const;
    /*! Sets the message text. */
    void setText(const QString &iTextStr);
    /*! The remark. */
    QString remark() const;
    /*! Sets the remark. */
    void setRemark(const QString &iRemarkStr);
    /*! Whether the message can be closed. */
    bool closable() const;
    /*! Sets whether the message can be closed. */
    void setClosable(bool iBool);
    /*! Whether the message can be cancelled. */
    bool cancelable() const;
    /*! Sets whether the message can be cancelled. */
    void setCancelable(bool iBool);
    /*! The progress in percent. */
    int percent() const;
    /*! Sets the progress in percent. */
    void setPercent(int iPercentInt);
    /*! The delay before showing, in milliseconds. */
    int startDelay() const;
    /*! Sets the delay before showing, in milliseconds. */
    void setStartDelay(int iMsInt);
    /*! The delay before hiding, in milliseconds. */
    int endDelay() const;
    /*! Sets the delay before hiding, in milliseconds. */
    void setEndDelay(int iMsInt);
    /*! Whether a mask covers the window while the message shows. */
    bool showMask() const;
    /*! Sets whether a mask covers the window while the message shows. */
    void setShowMask(bool iBool);
    /*! The user data. */
    QVariant data() const;
    /*! Sets the user data. */
    void setData(const QVariant &iDataVar);

private:
    Q_DECLARE_PRIVATE_D(d, TMsgBarInfo)
    const std::unique_ptr<TMsgBarInfoPrivate> d;
};

#endif // TMSGBARINFO_H
