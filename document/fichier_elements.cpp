#include "form/etat.h"
