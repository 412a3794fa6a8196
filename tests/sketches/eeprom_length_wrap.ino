// Simulate Mega
// The usual writing loop wraps its address at EEPROM.length(): the Mega's 4096 cells, so after
// cell 4095 it writes cell 0 again instead of running off the end.
#include <EEPROM.h>

int addr = 4093;
int val = 10;

void setup() {
  Serial.begin(9600);
  Serial.println(EEPROM.length());
}

void loop() {
  EEPROM.write(addr, val);
  addr = addr + 1;
  if (addr == EEPROM.length()) {
    addr = 0;
  }
  val = val + 1;
}
