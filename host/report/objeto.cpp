#include "host/report/objeto.h"

TObject::~TObject() = default;

Exception::~Exception() = default;
