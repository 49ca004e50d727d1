// The fakes are header-only; this file gives the support library something to build.
#include "fakeclock.h"
#include "fakeenvironment.h"
#include "fakemessageboxes.h"
#include "fakepresencesource.h"
#include "fakewebopener.h"
