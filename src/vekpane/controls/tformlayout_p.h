#ifndef TFORMLAYOUT_P_H
#define TFORMLAYOUT_P_H

#include "tformlayout.h"

#include <QMap>
#include <QObject>
#include <QVariantMap>

class QLabel;

class TFormLayoutPrivate : public QObject
{
    Q_OBJECT
    Q_DECLARE_PUBLIC(TFormLayout)
public:
    explicit TFormLayoutPrivate(TFormLayout *iPublic)
        : q_ptr(iPublic)
    {}

    // The field a pack call names: a widget for packWidget, a layout for packLayout.
    static QObject *field(QObject *iObject, bool iIsLayout);
    // The field, when it is of the right kind and its span is within the
    // bound (logged when not); else null.
    static QObject *packable(QObject *iObject, bool iIsLayout, int iColSpan);
    void pack(QObject *iField, QObject *iLabelPtr, QObject *iUnitsPtr, int iColSpan, const QString &iLabelAlign,
              int iLayoutType);
    QLabel *newLabel(const QString &iText, const QVariantMap &iProperties) const;
    void record(QMap<QObject *, QWidget *> &ioMap, QObject *iField, QWidget *iWidget);
    void applyColumnSpacing();

public Q_SLOTS:
    // Drops every entry whose field or recorded widget is being destroyed.
    void forget(QObject *iObject);

public:
    int columnCount = 1;
    QString separator;
    Qt::Alignment labelAlignment = Qt::AlignLeft;
    int columnSpacing = 20;
    int lineRow = 0;
    int nextColumn = 0;
    QMap<QObject *, QWidget *> labelMap;
    QMap<QObject *, QWidget *> unitsMap;
    QMap<QObject *, QWidget *> separatorMap;
    QVariantMap labelProperties;
    QVariantMap unitsProperties;
    QVariantMap separatorProperties;
    TFormLayout *q_ptr;
};

#endif // TFORMLAYOUT_P_H
