#pragma once
// Everything a throw statement or a catch handler of the error framework needs.
#include "base/ExceptionClasses.h"
#include "base/ExceptionClassification.h"
#include "base/ObjectTypeNames.h"
#include "base/Throw.h"
#include "base/ThrowContext.h"
