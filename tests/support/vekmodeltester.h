#ifndef VEKMODELTESTER_H
#define VEKMODELTESTER_H

#include <QAbstractItemModelTester>

namespace VekTest {

//! Watches iModel with QAbstractItemModelTester in fatal mode for as long as
//! the model lives: any broken model rule aborts the test at the faulty call.
inline QAbstractItemModelTester *attachModelTester(QAbstractItemModel *iModel)
{
    return new QAbstractItemModelTester(iModel, QAbstractItemModelTester::FailureReportingMode::Fatal, iModel);
}

} // namespace VekTest

#endif // VEKMODELTESTER_H
