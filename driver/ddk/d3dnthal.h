// See ddrawint.h: winddi.h includes this header; nothing of it is used.
#pragma once
