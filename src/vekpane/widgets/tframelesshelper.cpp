#include "tframelesshelper.h"

TFramelessHelper::~TFramelessHelper() = default;
