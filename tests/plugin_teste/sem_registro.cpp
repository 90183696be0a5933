// A plug-in that forgot its registration line: Imprimir must say so.
#include "frame/frame.h"
