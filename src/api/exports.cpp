#include <laminar/laminar.h>
