// Simulate Uno
// The usual clearing loop runs to EEPROM.length(): every cell of the Uno's 1024 is cleared and
// the cell after them is left alone.
#include <EEPROM.h>

int cleared = 0;

void setup() {
  Serial.begin(9600);
  Serial.println(EEPROM.length());
  for (int i = 0; i < EEPROM.length(); i++) {
    EEPROM.write(i, 0);
    cleared++;
  }
  Serial.println(cleared);
  Serial.println(EEPROM.read(0));
  Serial.println(EEPROM.read(512));
  Serial.println(EEPROM.read(1023));
  Serial.println(EEPROM.read(1024));
}

void loop() {
}
