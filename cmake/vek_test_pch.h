// Precompiled for every test and benchmark: the test library's umbrella header
// (which brings the whole of Qt Core) and the module headers tests use most.
// Built once per set of Qt modules, so that the QT_*_LIB macros the test
// headers look at are the same as in the program that reuses it.
#pragma once
#include "vek_pch.h"
#include <QtTest/QtTest>
#ifdef QT_WIDGETS_LIB
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>
#endif
#ifdef QT_QML_LIB
#include <QtQml/QJSEngine>
#include <QtQml/QJSValue>
#endif
#ifdef QT_SQL_LIB
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#endif
