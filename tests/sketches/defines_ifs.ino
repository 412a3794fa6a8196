// Simulate Uno
#define LIMIT 5
#define DEBUG
#if 0
int skipped = 1;
#else
int chosen = 2;
#endif
#ifdef DEBUG
int debugging = 1;
#endif
#ifndef DEBUG
int quiet = 1;
#endif
int limit = LIMIT;

void setup() {
}

void loop() {
}
