#pragma once
#include <cstdio>
#include <ctime>
inline void ZvStamp(const char* what) { timespec t; clock_gettime(CLOCK_REALTIME, &t); std::fprintf(stderr, "STAMP %s %ld.%09ld\n", what, (long)t.tv_sec, t.tv_nsec); }
