#!/usr/bin/env python3
"""The SCORM 1.2 package make web leaves beside the page: its manifest is
well-formed and launches the page, which is the page itself, byte for byte.
The pages' folder comes from ZORELMINA_WEB_PAGES; without it, skipped (77)."""
import os
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

pages = os.environ.get("ZORELMINA_WEB_PAGES")
if not pages:
    print("ZORELMINA_WEB_PAGES is not set: skipped")
    sys.exit(77)
with zipfile.ZipFile(os.path.join(pages, "app", "zorelmina-scorm12.zip")) as package:
    manifest = ElementTree.fromstring(package.read("imsmanifest.xml"))
    page = package.read("zorelmina.html")
with open(os.path.join(pages, "app", "zorelmina.html"), "rb") as shown:
    assert page == shown.read(), "the page in the package is not zorelmina.html"

cp = "{http://www.imsproject.org/xsd/imscp_rootv1p1p2}"
adlcp = "{http://www.adlnet.org/xsd/adlcp_rootv1p2}"
assert manifest.find(f"{cp}metadata/{cp}schemaversion").text == "1.2"
organization = manifest.find(f"{cp}organizations/{cp}organization")
assert organization.find(f"{cp}title").text == "Зорелмина"
item = organization.find(f"{cp}item")
resource = manifest.find(f"{cp}resources/{cp}resource[@identifier='{item.get('identifierref')}']")
assert resource.get(f"{adlcp}scormtype") == "sco" and resource.get("href") == "zorelmina.html"
print("zorelmina-scorm12.zip: a SCORM 1.2 package that launches zorelmina.html")
