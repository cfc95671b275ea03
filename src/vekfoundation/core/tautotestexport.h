#ifndef TAUTOTESTEXPORT_H
#define TAUTOTESTEXPORT_H

// VEK_AUTOTEST_EXPORT(LIB_EXPORT) marks a class that is internal to its
// library but driven directly by the tests: with tests or benchmarks in the
// build (VEK_BUILD_AUTOTEST_EXPORTS) it is exported with the library's own
// export macro, otherwise it stays hidden. The tests link the library instead
// of compiling the class a second time.
//
//     class VEK_AUTOTEST_EXPORT(VEKPANE_EXPORT) TSomeInternalWidget : public QWidget

#ifdef VEK_BUILD_AUTOTEST_EXPORTS
#define VEK_AUTOTEST_EXPORT(libExport) libExport
#else
#define VEK_AUTOTEST_EXPORT(libExport)
#endif

#endif // TAUTOTESTEXPORT_H
