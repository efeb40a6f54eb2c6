#include "resources/arvelle_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the generated initialiser in the enclosing
// namespace, which is why this stays at global scope.
void InitArvelleResources() { Q_INIT_RESOURCE(arvelle); }
