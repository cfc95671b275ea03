#ifndef VEKJSENGINE_P_H
#define VEKJSENGINE_P_H

#include "vekjsengine.h"

class VekJsPackage;

class VekJsEnginePrivate
{
    Q_DECLARE_PUBLIC(VekJsEngine)
public:
    explicit VekJsEnginePrivate(VekJsEngine *iQ)
        : q_ptr(iQ)
    {}

    VekJsPackage *package = nullptr;
    VekJsEngine *q_ptr;
};

#endif // VEKJSENGINE_P_H
