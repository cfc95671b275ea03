#include "terror.h"
#include "terror_p.h"

TError::TError()
    : d_ptr(new TErrorPrivate(this))
{}

TError::TError(const QString &iText, const QString &iType, const QString &iCode, const QString &iTrace)
    : d_ptr(new TErrorPrivate(this))
{
    setError(iText, iType, iCode, iTrace);
}

TError::TError(const TError &iOther)
    : d_ptr(new TErrorPrivate(this))
{
    setError(iOther.text(), iOther.type(), iOther.code(), iOther.trace());
}

TError &TError::operator=(const TError &iOther)
{
    if (&iOther != this)
        setError(iOther.text(), iOther.type(), iOther.code(), iOther.trace());
    return *this;
}

TError::~TError() { delete d_ptr; }

QString TError::text() const
{
    Q_D(const TError);
    return d->text;
}
QString TError::type() const
{
    Q_D(const TError);
    return d->type;
}
QString TError::code() const
{
    Q_D(const TError);
    return d->code;
}
QString TError::trace() const
{
    Q_D(const TError);
    return d->trace;
}

void TError::setText(const QString &iText)
{
    Q_D(TError);
    d->text = iText;
}
void TError::setType(const QString &iType)
{
    Q_D(TError);
    d->type = iType;
}
void TError::setCode(const QString &iCode)
{
    Q_D(TError);
    d->code = iCode;
}
void TError::setTrace(const QString &iTrace)
{
    Q_D(TError);
    d->trace = iTrace;
}

void TError::setError(const QString &iText, const QString &iType, const QString &iCode, const QString &iTrace)
{
    Q_D(TError);
    // Null arguments are stored as empty texts so that callers never see a null string.
    d->text = iText.isNull() ? QLatin1String("") : iText;
    d->type = iType.isNull() ? QLatin1String("") : iType;
    d->code = iCode.isNull() ? QLatin1String("") : iCode;
    d->trace = iTrace.isNull() ? QLatin1String("") : iTrace;
}

void TError::clearError() { setError(QString(), QString(), QString(), QString()); }

bool TError::isValid() const
{
    Q_D(const TError);
    return !d->text.isEmpty() || !d->code.isEmpty();
}
