#include "WebModule.h"
#include "LinkedWebControls.h"

platform::qt::WebControls* bookdiscWebControls() { return &platform::qt::linkedWebControls(); }
