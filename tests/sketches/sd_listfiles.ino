// Simulate Uno
// Asks the card about itself and lists its root folder.
#include <SPI.h>
#include <SD.h>

Sd2Card card;
SdVolume volume;
SdFile root;

void setup() {
  Serial.begin(9600);
  if (!card.init(SPI_HALF_SPEED, 4)) Serial.println("no card");
  Serial.print("type ");
  Serial.println(card.type());
  if (!volume.init(card)) Serial.println("no volume");
  long size = volume.blocksPerCluster();
  size *= volume.clusterCount();
  Serial.print("blocks ");
  Serial.println(size);
  root.openRoot(volume);
  Serial.print(root.ls(LS_R | LS_DATE | LS_SIZE));
  Serial.println("done");
}

void loop() {
}
