# Run by Scribus headless: places an Illustrator file on a new page and saves the document.
# Usage: scribus -g -ns -py scribus_place.py IN.ai OUT.sla
import sys

import scribus

source, target = sys.argv[1], sys.argv[2]
scribus.newDocument((1000, 1000), (0, 0, 0, 0), scribus.PORTRAIT, 1, scribus.UNIT_POINTS,
                    scribus.PAGE_1, 0, 1)
scribus.placeVectorFile(source, 0, 0)
scribus.saveDocAs(target)
