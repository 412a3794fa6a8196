// Simulate Uno
// Writes two lines to a file on the card, checks it is there, reads it back and removes it.
#include <SD.h>

File myFile;

void setup() {
  Serial.begin(9600);
  if (!SD.begin(4)) {
    Serial.println("no card");
    return;
  }
  myFile = SD.open("test.txt", FILE_WRITE);
  if (myFile) {
    myFile.println("a=b");
    myFile.println("testing 1, 2, 3.");
    myFile.close();
  }
  if (SD.exists("test.txt")) Serial.println("exists");
  if (!SD.exists("TEST.TXT")) Serial.println("names are exact");
  myFile = SD.open("test.txt");
  while (myFile.available()) Serial.write(myFile.read());
  Serial.println();
  myFile.close();
  SD.remove("test.txt");
  if (!SD.exists("test.txt")) Serial.println("removed");
}

void loop() {
}
