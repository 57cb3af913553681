#include "page/etat_page.h"
