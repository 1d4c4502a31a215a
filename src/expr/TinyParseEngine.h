#pragma once
// The expression engine: terms, operator table, and the evaluator component.

#include "OpeList.h"
#include "Term.h"
#include "TinyParser.h"
#include "TrmList.h"
#include "ZaroSub.h"
