/* Everything a plug-in or host needs: include this one header. */
#ifndef CORVANE_SDK_CORVANE_H
#define CORVANE_SDK_CORVANE_H

#include "sdk/SPTypes.h"
#include "sdk/SPBasic.h"
#include "sdk/PIResources.h"
#include "sdk/AIMessages.h"
#include "sdk/AIArtSuites.h"
#include "sdk/AIViewSuites.h"
#include "sdk/AIInterfaceSuites.h"
#include "sdk/CorvanePlatform.h"
#include "sdk/CorvaneWindow.h"

#endif
